#include "programs.h"

#include "corvale_form.h"
#include "ostrine_form.h"
#include "vandrel_form.h"

namespace optics::drive {

const std::vector<form::ProgramEntry>& Programs() {
  static const std::vector<form::ProgramEntry> programs = {
      {"Vandrel", vandrel::MakeVandrelForm},
      {"Corvale", corvale::MakeCorvaleForm},
      {"Ostrine", ostrine::MakeOstrineForm},
  };
  return programs;
}

const form::ProgramEntry* FindProgram(const std::string& name) {
  for (const form::ProgramEntry& p : Programs()) {
    if (name == p.name) return &p;
  }
  return nullptr;
}

}  // namespace optics::drive
