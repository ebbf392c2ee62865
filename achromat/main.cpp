#include "ostrine_form.h"
#include "ui/run_program.h"

int main(int argc, char** argv) {
  return optics::ui::RunProgram(argc, argv, optics::ostrine::MakeOstrineForm);
}
