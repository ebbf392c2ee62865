// Ostrine's window as data, and what its form shares with it.
#include "ostrine_form.h"

namespace optics::ostrine::inline OPTICAL_EXTENDED_NAMESPACE {

using form::ControlKind;

const form::FormDescription& OstrineForm::Description() const {
  static const form::FormDescription form{
      .caption = "Ostrine",
      .outer = {350, 171, 641, 687},
      .font_px = 12,
      .controls = {
          // name, kind, {left, top, width, height}, font height, tab order, contents,
          // enabled, accessible name, accessible description
          {"Edit1", ControlKind::Edit, {84, 44, 109, 32}, 24, 0, {"1.51385"}, true,
           "硝材\u30001 nC=", "硝材1のC線屈折率"},
          {"Edit2", ControlKind::Edit, {262, 46, 109, 32}, 24, 1, {"1.51633"}, true,
           "硝材\u30001 nd=", "硝材1のd線屈折率"},
          {"Edit3", ControlKind::Edit, {432, 46, 109, 32}, 24, 2, {"1.5219"}, true,
           "硝材\u30001 nF=", "硝材1のF線屈折率"},
          {"Label1", ControlKind::Label, {38, 48, 40, 24}, 24, {}, {"nC="}},
          {"Label2", ControlKind::Label, {222, 48, 36, 24}, 24, {}, {"nd="}},
          {"Label3", ControlKind::Label, {390, 50, 37, 24}, 24, {}, {"nF="}},
          {"Label4", ControlKind::Label, {18, 8, 86, 27}, 27, {}, {"硝材\u30001"}},
          {"Label5", ControlKind::Label, {16, 104, 86, 27}, 27, {}, {"硝材\u30002"}},
          {"Edit4", ControlKind::Edit, {84, 140, 107, 32}, 24, 3, {"1.61502"}, true,
           "硝材\u30002 nC=", "硝材2のC線屈折率"},
          {"Edit5", ControlKind::Edit, {256, 142, 111, 32}, 24, 4, {"1.620041"}, true,
           "硝材\u30002 nd=", "硝材2のd線屈折率"},
          {"Edit6", ControlKind::Edit, {432, 140, 109, 32}, 24, 5, {"1.63212"}, true,
           "硝材\u30002 nF=", "硝材2のF線屈折率"},
          {"Label6", ControlKind::Label, {42, 142, 40, 24}, 24, {}, {"nC="}},
          {"Label7", ControlKind::Label, {214, 146, 36, 24}, 24, {}, {"nd="}},
          {"Label8", ControlKind::Label, {390, 146, 37, 24}, 24, {}, {"nF="}},
          {"Button1", ControlKind::Button, {384, 192, 123, 43}, 19, 6, {"計算"}, true,
           "曲率半径を計算", "焦点距離1のアクロマートの4面の曲率半径を2通り求め、下に追加します"},
          {"Memo1", ControlKind::Memo, {36, 248, 533, 373}, 19, 7, {""}, true,
           "計算結果", "計算ごとに2通りの解の曲率半径 r1～r4 が追加されます"},
      }};
  return form;
}

form::FormBinding OstrineForm::Bind() {
  return {
      .edits = {{"Edit1", &Edit1}, {"Edit2", &Edit2}, {"Edit3", &Edit3},
                {"Edit4", &Edit4}, {"Edit5", &Edit5}, {"Edit6", &Edit6}},
      .memos = {{"Memo1", &Memo1}},
      .buttons = {{"Button1", [this] { Button1Click(); }}},
      .fields = {{"nC1", &nC1}, {"nd1", &nd1}, {"nF1", &nF1}, {"nC2", &nC2},
                 {"nd2", &nd2}, {"nF2", &nF2}, {"nu1", &nu1}, {"nu2", &nu2},
                 {"phi1", &phi1}, {"phi2", &phi2}, {"P1", &P1}, {"P2", &P2},
                 {"Q1", &Q1}, {"Q2", &Q2}, {"W", &W}, {"qa", &qa}, {"qb", &qb},
                 {"qc", &qc}, {"c1a", &c1a}, {"c1b", &c1b}, {"c2a", &c2a},
                 {"c2b", &c2b}, {"r1", &r1}, {"r2", &r2}, {"r3", &r3}, {"r4", &r4},
                 {"r1B", &r1B}, {"r2B", &r2B}, {"r3B", &r3B}, {"r4B", &r4B}},
  };
}

std::unique_ptr<form::FormModel> MakeOstrineForm() { return std::make_unique<OstrineForm>(); }

}  // namespace optics::ostrine::inline OPTICAL_EXTENDED_NAMESPACE
