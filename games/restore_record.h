#pragma once
// What a running game leaves to be restored, kept in the registry while it runs so that
// a program that ends mid-game (killed, crashed, power lost) can restore it at its next
// start. One sub-key per game under "<profiles root>GameRestore", named after the game's
// process id; profile kinds the program does not know are left alone by every reader of
// the profiles key, so older builds pass over it.

#include <string>
#include <vector>

#include "games/game_run.h"
#include "platform/registry.h"

namespace corvane::games {

std::wstring RestoreRecordsKey(const std::wstring& profilesRoot);

// Replaces the game's record with what `run` holds now.
void WriteRestoreRecord(platform::Registry& registry, const std::wstring& profilesRoot, const GameRun& run);
void DeleteRestoreRecord(platform::Registry& registry, const std::wstring& profilesRoot, uint32_t processId);

// Every record stored. A record whose name is no process id is dropped from the registry;
// a value of the wrong type or size counts as absent (nothing of it is restored).
std::vector<GameRun> ReadRestoreRecords(platform::Registry& registry, const std::wstring& profilesRoot);

}  // namespace corvane::games
