#pragma once
// The program's version, as the about box shows it after "Corvane v".

namespace corvane {

inline constexpr wchar_t kProgramVersion[] = L"0.1";

}  // namespace corvane
