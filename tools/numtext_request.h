// The requests of the conversion probe: one JSON object per line in, one
// JSON object per line out. Hex strings are bit patterns (bit_patterns.h);
// "sep" is the decimal separator of the request, one character, "." when
// absent. Members other than those below are ignored; a member given twice
// is a bad request.
//
//   {"op":"parse","text":T,"sep":S}
//     -> {"extended":X,"double":D}       StrToFloat(T, S), then Double::Store
//     -> {"extended":X,"double_error":"EOverflow","message":M}   the store overflows
//     -> {"error":"EConvertError","message":M}                   T is no number
//   {"op":"format","double":D,"precision":P,"sep":S}    or "extended":X
//     -> {"text":T}   FloatToStrF(v, ffGeneral, P, 0, S); FloatToStr(v, S)
//                     without "precision". P is an integer of the int range.
//   {"op":"power","base":X,"exponent":X}
//     -> {"extended":X}  or  {"error":"EZeroDivide"|"EInvalidOp"|"EOverflow","message":M}
//   anything else
//     -> {"error":"bad request","message":<what is wrong with the line>}
//
// M is the exception's message exactly. After a failure of the arithmetic the
// calculation environment is established again, as the calculators do.
#pragma once

#include <string>
#include <string_view>

namespace optics::numtext {

// The answer to one request line (without its line ending), as compact JSON
// without a newline. Never throws for any input: a line that is no request,
// however long or whatever bytes it holds, gets a bad request answer.
//   {"op":"parse","text":"-0"}  -> {"extended":"80000000000000000000","double":"8000000000000000"}
//   {"op":"power","base":"00000000000000000000","exponent":"bfff8000000000000000"}
//                               -> {"error":"EZeroDivide","message":"0 による浮動小数点数除算"}
//   ""                          -> {"error":"bad request","message":"empty line: ..."}
std::string AnswerLine(std::string_view line);

}  // namespace optics::numtext
