// The ignore-list store: owns the one stream held on "ignore.list" from start
// to exit, reads its entries and rewrites it.
//
// The stream is binary and the text-mode reading rules are applied here, so
// that the list reads the same whatever the C runtime does with text mode
// (not every runtime drops a final Ctrl-Z, and Linux has no text mode).
#include "ignore_list.h"

#include "message_box.h"

#include <stdio.h>
#include <string.h>

namespace {

const char IgnoreFileName[] = "ignore.list";
const int EndOfFileMark = 0x1A;

FILE *heldStream;

// One reading pass over the held stream; a Ctrl-Z ends it for good.
struct EntryReader {
    FILE *stream;
    bool ended;
};

// Reads what fgets would read in text mode into a buffer of
// IgnoreEntryMax + 1 bytes: up to the next line feed, at most
// IgnoreEntryMax characters, a carriage return and line feed counting as
// one line feed. The line feed itself is dropped. False when nothing was read.
bool ReadEntry(EntryReader *reader, char *entry)
{
    int length = 0;
    bool lineEnded = false;
    while (!reader->ended && !lineEnded && length < IgnoreEntryMax) {
        int c = getc(reader->stream);
        if (c == EOF || c == EndOfFileMark) {
            reader->ended = true;
            break;
        }
        if (c == '\r') {
            int next = getc(reader->stream);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                ungetc(next, reader->stream);
        }
        if (c == '\n')
            lineEnded = true;
        else
            entry[length++] = (char)c;
    }
    entry[length] = '\0';
    if (ferror(reader->stream))
        return false;
    return length > 0 || lineEnded;
}

EntryReader StartReading()
{
    rewind(heldStream);
    EntryReader reader = {heldStream, false};
    return reader;
}

// Opening a file for update in text mode drops one Ctrl-Z at its very end,
// which old editors wrote as an end-of-file mark.
void DropFinalEndOfFileMark(FILE *stream)
{
    if (fseek(stream, 0, SEEK_END) == 0) {
        long size = ftell(stream);
        if (size > 0 && fseek(stream, size - 1, SEEK_SET) == 0 &&
            getc(stream) == EndOfFileMark)
            TruncateStream(stream, size - 1);
    }
    rewind(stream);
}

// Writes an entry and its line feed. An entry that itself ends in a
// carriage return (read from a line that ended in a lone one) gets a second
// carriage return first: its own would otherwise pair with the line feed and
// be lost at the next reading.
bool WriteEntry(const char *entry, FILE *stream)
{
    size_t length = strlen(entry);
    if (fputs(entry, stream) == EOF)
        return false;
    if (length > 0 && entry[length - 1] == '\r' && fputc('\r', stream) == EOF)
        return false;
    return fputc('\n', stream) != EOF;
}

void ReportSaveFailure(HWND owner)
{
    ShowMessageBox(owner, "Failed to save 'ignore.list'.", "Quillmoor MM - Error",
                   MB_ICONERROR);
}

} // namespace

void OpenIgnoreList()
{
    // "r+" never creates the file, and fails on one that may not be written.
    heldStream = fopen(IgnoreFileName, "r+b");
    if (heldStream)
        DropFinalEndOfFileMark(heldStream);
}

void CloseIgnoreList()
{
    if (heldStream)
        fclose(heldStream);
    heldStream = nullptr;
}

bool IsIgnored(const char *name)
{
    if (!heldStream)
        return false;
    size_t length = strlen(name);
    char entry[IgnoreEntryMax + 1];
    EntryReader reader = StartReading();
    while (ReadEntry(&reader, entry)) {
        if (strncmp(entry, name, length) == 0)
            return true;
    }
    return false;
}

bool LoadIgnoreEntries(IgnoreEntryReceiver receive, void *context)
{
    if (!heldStream)
        return false;
    char entry[IgnoreEntryMax + 1];
    EntryReader reader = StartReading();
    while (ReadEntry(&reader, entry))
        receive(entry, context);
    return true;
}

bool SaveIgnoreEntries(HWND owner, const std::vector<std::string> &entries)
{
    if (!heldStream) {
        ReportSaveFailure(owner);
        return false;
    }
    heldStream = freopen(IgnoreFileName, "wb", heldStream);
    if (!heldStream) {
        ReportSaveFailure(owner);
        return false;
    }
    // A full disk must not pass for a saved list.
    bool written = true;
    for (const std::string &entry : entries) {
        if (!WriteEntry(entry.c_str(), heldStream))
            written = false;
    }
    if (fflush(heldStream) != 0)
        written = false;

    heldStream = freopen(IgnoreFileName, "r+b", heldStream);
    if (heldStream)
        DropFinalEndOfFileMark(heldStream);
    if (!written) {
        ReportSaveFailure(owner);
        return false;
    }
    return true;
}
