#pragma once
// The chase library and cue list readers and writers behind
// CShowData::LoadFile / SaveFile.

#include <cstdio>

class CLineReader;

// The layout and colour file in the program directory.
inline constexpr const char* kLayoutFile = "colors.txt";

class CShowData;

void LoadChaseLibrary(CShowData& doc);
// Writes the library in memory to `fileName` in the program directory and keeps
// it in memory, undo history and all. False when nothing was written.
bool WriteChaseLibrary(CShowData& doc, const char* fileName);
// False when nothing was written; the library in memory is then left as it was.
bool SaveChaseLibrary(CShowData& doc);
void LoadCueListFile(CShowData& doc);
// Writes the list to its file; false when nothing was written.
bool SaveCueListFile(CShowData& doc);
// Writes the list to the file `name`, or only its first line (an empty list) when
// `cues` is false; false when nothing was written.
bool WriteCueList(CShowData& doc, const char* name, bool cues);

// The lines of each file, written to and read from any stream; the readers fill
// tables emptied beforehand and return how many records found no room.
void WriteCueLines(const CShowData& doc, FILE* out, bool cues = true);
void WriteChaseLines(const CShowData& doc, FILE* out);
void WriteLayout(const CShowData& doc, FILE* out);
int ReadCueLines(CShowData& doc, CLineReader& reader);
int ReadChaseLines(CShowData& doc, CLineReader& reader);
void ReadLayoutLines(CShowData& doc, CLineReader& reader);
