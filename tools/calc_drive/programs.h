// The programs the window driver can play, by name.
#pragma once

#include <string>
#include <vector>

#include "form/form_binding.h"

namespace optics::drive {

const std::vector<form::ProgramEntry>& Programs();
const form::ProgramEntry* FindProgram(const std::string& name);

}  // namespace optics::drive
