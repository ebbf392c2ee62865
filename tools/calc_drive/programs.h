// The programs the window driver can play, by name.
#pragma once

#include <string>
#include <vector>

#include "ui/form_binding.h"

namespace optics::drive {

const std::vector<ui::ProgramEntry>& Programs();
const ui::ProgramEntry* FindProgram(const std::string& name);

}  // namespace optics::drive
