// Corvale's window as data, and what its form shares with it.
#include "corvale_form.h"

namespace optics::corvale::inline OPTICAL_EXTENDED_NAMESPACE {

using form::ControlKind;

namespace {
constexpr int kLabel = 13;   // every label's font height
constexpr int kField = 15;   // every edit field's and memo's
constexpr int kWindow = 0;   // the buttons use the window's 12
}  // namespace

const form::FormDescription& CorvaleForm::Description() const {
  static const form::FormDescription form{
      .caption = "Corvale",
      .outer = {238, 189, 875, 778},
      .font_px = 12,
      .controls = {
          // name, kind, {left, top, width, height}, font height, tab order, contents,
          // enabled, accessible name, accessible description
          {"Button1", ControlKind::Button, {360, 232, 75, 25}, kWindow, 0, {"計算"}, true,
           "円錐係数を計算", "主鏡と副鏡の円錐係数を3通りの式で求めます"},
          {"Button2", ControlKind::Button, {360, 504, 75, 25}, kWindow, 1, {"計算"}, true,
           "多項式の係数を計算", "主鏡円錐係数と副鏡円錐係数から多項式の係数を求めます"},
          {"Edit1", ControlKind::Edit, {32, 24, 121, 23}, kField, 2, {"-1500"}, true,
           "主鏡曲率半径", "光学系要素 R1"},
          {"Edit2", ControlKind::Edit, {32, 80, 121, 23}, kField, 3, {"-784"}, true,
           "副鏡曲率半径", "光学系要素 R2"},
          {"Edit3", ControlKind::Edit, {32, 136, 121, 23}, kField, 4, {"-505"}, true,
           "面間隔", "光学系要素 d"},
          {"Edit4", ControlKind::Edit, {32, 192, 121, 23}, kField, 5, {"2000.0"}, true,
           "焦点距離", "光学系要素 f"},
          {"Edit5", ControlKind::Edit, {176, 192, 121, 23}, kField, 6, {"653.3333"}, true,
           "BFL", "光学系要素 バックフォーカス"},
          {"Edit7", ControlKind::Edit, {40, 472, 121, 23}, kField, 7, {"-0.13644"}, true,
           "主鏡円錐係数", "多項式の係数に換算する主鏡の円錐係数"},
          {"Edit8", ControlKind::Edit, {192, 472, 121, 23}, kField, 8, {"-0.55089"}, true,
           "副鏡円錐係数", "多項式の係数に換算する副鏡の円錐係数"},
          {"Edit9", ControlKind::Edit, {408, 32, 121, 23}, kField, 9, {"1"}, true,
           "第1面の像高", "近軸値 h1"},
          {"Edit10", ControlKind::Edit, {560, 32, 121, 23}, kField, 10, {"0.32667"}, true,
           "第2面の像高", "近軸値 h2"},
          {"Memo1", ControlKind::Memo, {32, 232, 321, 209}, kField, 11, {}, true,
           "円錐係数の計算結果", "Vostral、Teskar、Quimbeの式による主鏡と副鏡の円錐係数"},
          {"Memo2", ControlKind::Memo, {32, 504, 321, 225}, kField, 12, {"多項式の係数"}, true,
           "多項式の係数の計算結果", "主鏡と副鏡の多項式の係数"},
          {"Memo3", ControlKind::Memo, {488, 240, 345, 265}, kField, 13,
           {"基本的な光学系要素を決定し、praltで近軸",
            "計算を行います。",
            "",
            "光学系要素と近軸値をpraltから書き写し計",
            "算ボタンを押せば、リッチークレティアン鏡の",
            "非球面係数が計算されます。",
            "",
            "Vostralの式は「反射望遠鏡」Vostral\u3000東京大学出版",
            "\u3000P129\u3000式（3.100）、（3.105）\u3000より。",
            "Quimbeの式は「新版反射望遠鏡光学入門」Quimbe",
            "\u3000誠文堂新光社\u3000P240\u3000式（9.20）、（9.21）\u3000より。",
            "Teskarの式は月刊天文ガイド連載「入門天体望遠鏡光",
            "学」第26回\u3000P83\u3000より。"},
           true, "使い方と出典", "計算の手順と3つの式の出典"},
          {"Edit11", ControlKind::Edit, {704, 32, 121, 23}, kField, 14, {"0.074167"}, true,
           "第3面の像高", "近軸値 h3"},
          {"Edit12", ControlKind::Edit, {408, 112, 121, 23}, kField, 15, {"0.0013333"}, true,
           "傾角２", "近軸値 u2"},
          {"Edit13", ControlKind::Edit, {568, 112, 121, 23}, kField, 16, {"0.0005"}, true,
           "傾角３", "近軸値 u3"},
          {"Label1", ControlKind::Label, {32, 8, 78, 13}, kLabel, {}, {"主鏡曲率半径"}},
          {"Label2", ControlKind::Label, {32, 64, 78, 13}, kLabel, {}, {"副鏡曲率半径"}},
          {"Label3", ControlKind::Label, {32, 120, 39, 13}, kLabel, {}, {"面間隔"}},
          {"Label4", ControlKind::Label, {32, 176, 52, 13}, kLabel, {}, {"焦点距離"}},
          {"Label5", ControlKind::Label, {176, 176, 22, 13}, kLabel, {}, {"BFL"}},
          {"Label6", ControlKind::Label, {40, 456, 85, 13}, kLabel, {}, {"主』鏡円錐係数"}},
          {"Label7", ControlKind::Label, {192, 456, 78, 13}, kLabel, {}, {"副鏡円錐係数"}},
          {"Label8", ControlKind::Label, {408, 16, 72, 13}, kLabel, {}, {"第1面の像高"}},
          {"Label9", ControlKind::Label, {560, 16, 72, 13}, kLabel, {}, {"第2面の像高"}},
          {"Label10", ControlKind::Label, {704, 16, 72, 13}, kLabel, {}, {"第3面の像高"}},
          {"Label11", ControlKind::Label, {408, 96, 35, 13}, kLabel, {}, {"傾角２"}},
          {"Label12", ControlKind::Label, {568, 96, 35, 13}, kLabel, {}, {"傾角３"}},
      }};
  return form;
}

form::FormBinding CorvaleForm::Bind() {
  return {
      .edits = {{"Edit1", &Edit1}, {"Edit2", &Edit2}, {"Edit3", &Edit3}, {"Edit4", &Edit4},
                {"Edit5", &Edit5}, {"Edit7", &Edit7}, {"Edit8", &Edit8}, {"Edit9", &Edit9},
                {"Edit10", &Edit10}, {"Edit11", &Edit11}, {"Edit12", &Edit12},
                {"Edit13", &Edit13}},
      .memos = {{"Memo1", &Memo1}, {"Memo2", &Memo2}, {"Memo3", &Memo3}},
      .buttons = {{"Button1", [this] { Button1Click(); }},
                  {"Button2", [this] { Button2Click(); }}},
      .fields = {{"R1", &R1}, {"R2", &R2}, {"d", &d}, {"f", &f}, {"BFL", &BFL},
                 {"u2", &u2}, {"u3", &u3}, {"h1", &h1}, {"h2", &h2}, {"h3", &h3},
                 {"conicP1", &conicP1}, {"conicS1", &conicS1}, {"conicP2", &conicP2},
                 {"conicS2", &conicS2}, {"conicP3", &conicP3}, {"conicS3", &conicS3},
                 {"coefP1", &coefP1}, {"coefP2", &coefP2}, {"coefP3", &coefP3},
                 {"coefP4", &coefP4}, {"coefS1", &coefS1}, {"coefS2", &coefS2},
                 {"coefS3", &coefS3}, {"coefS4", &coefS4}},
  };
}

std::unique_ptr<form::FormModel> MakeCorvaleForm() { return std::make_unique<CorvaleForm>(); }

}  // namespace optics::corvale::inline OPTICAL_EXTENDED_NAMESPACE
