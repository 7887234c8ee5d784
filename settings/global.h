#pragma once
// Process-wide names every part of the program shares.

#include <string>

namespace corvane::global {

// The program's own key under HKEY_CURRENT_USER.
inline const std::wstring ProgramKey = L"SOFTWARE\\Quillon\\Corvane";
// Every kind of stored profile is a sub-key of this ("Games", "keys", "colors", "d3d",
// "ogl", "over", "exfiles", "rtpl", "Display", "ROV", "Hardware").
inline const std::wstring ProfilesRoot = L"\\" + ProgramKey + L"\\Profiles\\";
// Saved desktop icon positions.
inline const std::wstring IconsKey = ProgramKey + L"\\Profiles" + L"\\icons";
// The desktop icon positions the game launcher keeps while a game's resolution is in force.
inline const std::wstring IconsBackupKey = ProgramKey + L"\\DIPS";

}  // namespace corvane::global
