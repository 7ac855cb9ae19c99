#pragma once
// Reading the console's "|"-separated text files, which may come from anywhere:
// every line is read whole, cut to the format's limit, and split without ever
// writing past a fixed buffer.

#include <cstddef>
#include <cstdio>

// Longest line the layout file and the chase/cue files carry.
constexpr int kLayoutLineLimit = 499;
constexpr int kDataLineLimit = 2499;
// No file of the console comes near this; reading stops there.
constexpr long long kShowFileMaxBytes = 64LL << 20;

class CLineReader {
public:
    // `limit` is clamped to kDataLineLimit.
    CLineReader(FILE* file, int limit);

    // Reads the next non-empty line; false at end of file. A line longer than
    // the limit is consumed whole and cut; one CR before the LF is dropped;
    // a NUL byte ends the line's text. Reads at most kShowFileMaxBytes in all.
    bool Next();
    char* Line() { return m_line; }
    // True when reading stopped at kShowFileMaxBytes before the end of the file.
    bool Cut() const { return m_left < 0; }

private:
    FILE* m_file;
    int m_limit;
    long long m_left = kShowFileMaxBytes;
    char m_line[kDataLineLimit + 1];
};

// Splits `line` in place at "|" into at most `maxFields` fields, each field the
// text up to its "|" (the last one may lack its "|"). Fields past the returned
// count are set to "". Returns the number of fields found.
int SplitFields(char* line, const char* fields[], int maxFields);

// The leading decimal number of `text` (blanks skipped, optional sign), saturated
// to int; false and `value` untouched when there is none. `end`, when given,
// receives the position after the number.
bool ParseNumber(const char* text, int& value, const char** end = nullptr);

// Like ParseNumber, 0 when there is no number.
int LeadingNumber(const char* text);

// How many leading bytes of `text` fit in `room` bytes without cutting a
// character in two: a UTF-8 character that would not fit whole is left out.
std::size_t TextFit(const char* text, std::size_t room);

// Copies `text` into a field of `size` bytes, cutting what does not fit on a
// character boundary.
void CopyCut(char* field, int size, const char* text);

// `text`, cut as CopyCut does to leave room for `suffix`, then `suffix` whole, in a
// field of `size` bytes (`suffix` must be shorter than the field).
void JoinCut(char* field, int size, const char* text, const char* suffix);

// Whether `text` can stand in a written field as it is: a "|", CR or LF would
// change into another character on the way to the file and back.
bool StandsInField(const char* text);

// `text` as it may stand in a written field: a "|", CR or LF inside it would
// split the record on reading, so each becomes "/". Returns `text` itself when
// it is clean, otherwise the cleaned copy made in `scratch` (`size` bytes).
const char* SafeField(const char* text, char* scratch, int size);
