// A Corvale form in its start state, as the window creates it.
#pragma once

#include <gtest/gtest.h>

#include "corvale_form.h"

namespace optics::corvale {

class CorvaleTest : public ::testing::Test {
 protected:
  CorvaleTest() { form::LoadInitialContents(form_); }
  CorvaleForm form_;
};

inline constexpr const char* kDefaultConics =
    "Vostralの式\r\n主鏡の円錐係数 = -0.136448\r\n副鏡の円錐係数 = -5.550891\r\n"
    "\r\n"
    "Teskarの式\r\n主鏡の円錐係数 = -0.136448\r\n副鏡の円錐係数 = -5.550891\r\n"
    "\r\n"
    "Quimbeの式\r\n主鏡の円錐係数 = -0.1364482\r\n副鏡の円錐係数 = -5.550892\r\n";

inline constexpr const char* kDefaultCoefficients =
    "多項式の係数\r\n"
    "主鏡係数1 = -0.0003333333\r\n主鏡係数2 = 5.05363E-12\r\n"
    "主鏡係数3 = -1.53235E-19\r\n主鏡係数4 = 5.807948E-27\r\n"
    "\r\n"
    "副鏡係数1 = -0.0006377551\r\n副鏡係数2 = 1.439874E-9\r\n"
    "副鏡係数3 = -6.501673E-15\r\n副鏡係数4 = 3.669743E-20\r\n"
    "\r\n";

}  // namespace optics::corvale
