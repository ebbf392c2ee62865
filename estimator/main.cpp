#include "ui/run_program.h"
#include "vandrel_form.h"

int main(int argc, char** argv) {
  return optics::ui::RunProgram(argc, argv, optics::vandrel::MakeVandrelForm);
}
