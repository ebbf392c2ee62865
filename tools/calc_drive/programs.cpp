#include "programs.h"

#include "corvale_form.h"
#include "ostrine_form.h"
#include "vandrel_form.h"

namespace optics::drive {

const std::vector<ui::ProgramEntry>& Programs() {
  static const std::vector<ui::ProgramEntry> programs = {
      {"Vandrel", vandrel::MakeVandrelForm},
      {"Corvale", corvale::MakeCorvaleForm},
      {"Ostrine", ostrine::MakeOstrineForm},
  };
  return programs;
}

const ui::ProgramEntry* FindProgram(const std::string& name) {
  for (const ui::ProgramEntry& p : Programs()) {
    if (name == p.name) return &p;
  }
  return nullptr;
}

}  // namespace optics::drive
