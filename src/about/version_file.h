#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

// Where the version reader meets the platform.

// The system's module handle type (HMODULE) on Windows, without its header here.
#if defined(_WIN32)
struct HINSTANCE__;
#endif

namespace somvix {

// A loaded program module; null stands for the program itself.
#if defined(_WIN32)
using ModuleHandle = ::HINSTANCE__*;
#else
struct ProgramModule;
using ModuleHandle = ProgramModule*;
#endif

// Full path of a module's file; empty when it cannot be told.
std::filesystem::path ModuleFilePath(ModuleHandle module);

// Copies a file's version record into record. On Windows it is the file's version resource;
// elsewhere the record the program carries among its constant data, found in the file's bytes.
// Returns 0, or -1 when the file has no readable version record.
int ReadFileVersionRecord(const std::filesystem::path& path, std::vector<uint8_t>& record);

// The user's language as a Windows language id (0x0C0A Spanish of Spain, 0x0409 English of
// the United States): on Windows the user's default, elsewhere made from the locale.
uint16_t UserDefaultLanguageId();

// A POSIX locale name ("es_ES.UTF-8") as a Windows language id. The C and POSIX locales and
// an empty name give English of the United States; a language without an id here gives the
// neutral language with its default sub-language (0x0400).
uint16_t LanguageIdFromLocaleName(std::string_view localeName);

}  // namespace somvix
