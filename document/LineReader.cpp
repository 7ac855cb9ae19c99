#include "document/LineReader.h"

#include <climits>
#include <cstring>

CLineReader::CLineReader(FILE* file, int limit)
    : m_file(file), m_limit(limit < 0 ? 0 : (limit > kDataLineLimit ? kDataLineLimit : limit))
{
    m_line[0] = '\0';
}

bool CLineReader::Next()
{
    for (;;) {
        int length = 0;
        int c = 0;
        bool any = false;
        while ((c = getc(m_file)) != EOF) {
            if (--m_left < 0) {
                c = EOF;
                break;
            }
            any = true;
            if (c == '\n')
                break;
            if (length < m_limit)
                m_line[length++] = static_cast<char>(c);
        }
        if (!any)
            return false;
        m_line[length] = '\0';
        // Text mode on the files' home platform turned CR LF into LF.
        if (length > 0 && m_line[length - 1] == '\r')
            m_line[--length] = '\0';
        if (m_line[0] != '\0')
            return true;
        if (c == EOF)
            return false;
    }
}

int SplitFields(char* line, const char* fields[], int maxFields)
{
    int count = 0;
    char* p = line;
    while (count < maxFields && *p != '\0') {
        fields[count++] = p;
        char* bar = std::strchr(p, '|');
        if (bar == nullptr)
            break;
        *bar = '\0';
        p = bar + 1;
    }
    for (int i = count; i < maxFields; ++i)
        fields[i] = "";
    return count;
}

bool ParseNumber(const char* text, int& value, const char** end)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\v' || *p == '\f')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (*p < '0' || *p > '9')
        return false;
    long long n = 0;
    while (*p >= '0' && *p <= '9') {
        if (n <= static_cast<long long>(INT_MAX) + 1)
            n = n * 10 + (*p - '0');
        ++p;
    }
    if (negative)
        n = -n;
    if (n > INT_MAX)
        n = INT_MAX;
    if (n < INT_MIN)
        n = INT_MIN;
    value = static_cast<int>(n);
    if (end != nullptr)
        *end = p;
    return true;
}

int LeadingNumber(const char* text)
{
    int value = 0;
    ParseNumber(text, value);
    return value;
}

std::size_t TextFit(const char* text, std::size_t room)
{
    const std::size_t length = strnlen(text, room + 1);
    if (length <= room)
        return length;
    // The byte that does not fit continues a character begun before it: that
    // character goes whole. Bytes that are no UTF-8 are cut where they stand.
    auto continuation = [text](std::size_t i) { return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80; };
    std::size_t start = room;
    while (start > 0 && room - start < 3 && continuation(start))
        --start;
    return start < room && static_cast<unsigned char>(text[start]) >= 0xC0 ? start : room;
}

void CopyCut(char* field, int size, const char* text)
{
    if (size <= 0)
        return;
    const std::size_t length = TextFit(text, static_cast<std::size_t>(size - 1));
    std::memmove(field, text, length);
    field[length] = '\0';
}

void JoinCut(char* field, int size, const char* text, const char* suffix)
{
    const std::size_t tail = std::strlen(suffix);
    if (size <= 0 || tail >= static_cast<std::size_t>(size))
        return;
    const std::size_t keep = TextFit(text, static_cast<std::size_t>(size - 1) - tail);
    std::memmove(field, text, keep);
    std::memcpy(field + keep, suffix, tail + 1);
}

bool StandsInField(const char* text)
{
    return std::strpbrk(text, "|\r\n") == nullptr;
}

const char* SafeField(const char* text, char* scratch, int size)
{
    if (StandsInField(text) || size <= 0)
        return text;
    CopyCut(scratch, size, text);
    for (char* p = scratch; *p != '\0'; ++p)
        if (*p == '|' || *p == '\r' || *p == '\n')
            *p = '/';
    return scratch;
}
