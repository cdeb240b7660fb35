// The ignore-list store: owns the one stream held on "ignore.list" from start
// to exit, reads its entries and rewrites it.
//
// The stream is binary and the text-mode reading rules are applied here, so
// that the list reads the same whatever the C runtime does with text mode
// (not every runtime drops a final Ctrl-Z, and Linux has no text mode).
#include "ignore_list.h"

#include "file_identity.h"
#include "ignore_list_entries.h"
#include "message_box.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const char IgnoreFileName[] = "ignore.list";
const int EndOfFileMark = 0x1A;

FILE *heldStream;

// One reading pass over the held stream, from its start; a Ctrl-Z ends it
// for good. The pass takes the file a block at a time rather than a byte per
// call: the installed scan reads the whole list again for every name, and
// byte-wise reading was most of a scan's time. Nothing read outlives the pass.
struct EntryReader {
    FILE *stream;
    bool ended;    // nothing more is read in this pass
    bool failed;   // the last read failed after giving what it could
    size_t used;   // bytes of `block` already taken
    size_t filled; // bytes in `block`
    char block[16384];
};

void StartReading(EntryReader *reader)
{
    rewind(heldStream);
    reader->stream = heldStream;
    reader->ended = false;
    reader->failed = false;
    reader->used = 0;
    reader->filled = 0;
}

// The next byte of the pass, or EOF once the stream has no more. A short
// block means the end of the file or a failed read: the stream is not asked
// again in this pass.
int NextByte(EntryReader *reader)
{
    if (reader->used == reader->filled) {
        if (reader->ended)
            return EOF;
        reader->filled = fread(reader->block, 1, sizeof reader->block, reader->stream);
        reader->used = 0;
        if (reader->filled < sizeof reader->block) {
            reader->ended = true;
            reader->failed = ferror(reader->stream) != 0;
        }
        if (reader->filled == 0)
            return EOF;
    }
    return (unsigned char)reader->block[reader->used++];
}

// Gives back the byte NextByte just returned.
void PutBackByte(EntryReader *reader)
{
    reader->used--;
}

// The bytes that the text rules look at; every other byte is copied as is.
bool IsLineByte(char c)
{
    return c == '\n' || c == '\r' || c == (char)EndOfFileMark;
}

// Reads what fgets would read in text mode into a buffer of
// IgnoreEntryMax + 1 bytes: up to the next line feed, at most
// IgnoreEntryMax characters, a carriage return and line feed counting as
// one line feed. The line feed itself is dropped. Gives the entry's length
// (a byte 0 inside counts), or -1 when nothing was read and, like fgets,
// when a read failed on the way.
int ReadEntry(EntryReader *reader, char *entry)
{
    int length = 0;
    bool lineEnded = false;
    bool readFailed = false;
    while (!lineEnded && length < IgnoreEntryMax) {
        // Plain bytes in one run, up to the next byte the rules look at.
        const char *run = reader->block + reader->used;
        size_t room = reader->filled - reader->used;
        if (room > (size_t)(IgnoreEntryMax - length))
            room = (size_t)(IgnoreEntryMax - length);
        // Copied byte by byte: entries are short, and a block copy costs
        // more to start than it saves on them.
        char *out = entry + length;
        size_t plain = 0;
        while (plain < room && !IsLineByte(run[plain])) {
            out[plain] = run[plain];
            plain++;
        }
        length += (int)plain;
        reader->used += plain;
        if (length == IgnoreEntryMax)
            break;

        int c = NextByte(reader);
        if (c == EOF || c == EndOfFileMark) {
            // Nothing after a Ctrl-Z is ever read.
            readFailed = c == EOF && reader->failed;
            reader->ended = true;
            reader->used = reader->filled;
            break;
        }
        if (c == '\r') {
            int next = NextByte(reader);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                PutBackByte(reader);
        }
        if (c == '\n')
            lineEnded = true;
        else
            entry[length++] = (char)c;
    }
    entry[length] = '\0';
    if (readFailed || (length == 0 && !lineEnded))
        return -1;
    return length;
}

// Opening a file for update in text mode drops one Ctrl-Z at its very end,
// which old editors wrote as an end-of-file mark.
void DropFinalEndOfFileMark(FILE *stream)
{
    if (fseek(stream, 0, SEEK_END) == 0) {
        long size = ftell(stream);
        if (size > 0 && fseek(stream, size - 1, SEEK_SET) == 0 && getc(stream) == EndOfFileMark)
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

// The whole file as the stream holds it, in memory the caller frees; false
// when it cannot all be read.
bool ReadWholeStream(FILE *stream, char **bytes, size_t *size)
{
    *bytes = nullptr;
    if (fseek(stream, 0, SEEK_END) != 0)
        return false;
    long length = ftell(stream);
    if (length < 0)
        return false;
    rewind(stream);
    *size = (size_t)length;
    *bytes = (char *)malloc(*size + 1);
    if (*bytes && fread(*bytes, 1, *size, stream) == *size)
        return true;
    free(*bytes);
    *bytes = nullptr;
    return false;
}

// Puts back what the file held before the save, over what the save wrote,
// through the same stream: no second open that could fail. The save wrote
// over the file from its start and never cut it, so the previous bytes lie
// in blocks that are still the file's own.
void WriteBack(FILE *stream, const char *bytes, size_t size)
{
    clearerr(stream);
    if (fseek(stream, 0, SEEK_SET) == 0 && fwrite(bytes, 1, size, stream) == size)
        TruncateStream(stream, (long)size);
}

void ReportSaveFailure(HWND owner)
{
    ShowErrorMessage(owner, "Failed to save 'ignore.list'.");
}

// Whether the held stream's file is still the one named "ignore.list".
// Where another program can put a new file in its place while it is held (a
// Linux editor's save, under Wine), a save through the stream would write a
// file that no longer has a name.
bool HeldFileIsNamed()
{
    FileIdentity held, named;
    return IdentityOfHandle(StreamHandle(heldStream), &held) &&
           LookAtFile(IgnoreFileName, &named) == FileThere && SameFile(held, named);
}

} // namespace

void OpenIgnoreList()
{
    // "r+" never creates the file, and fails on one that may not be written.
    // Only a file on a disk is held: a pipe of that name would keep the first
    // scan waiting for ever.
    heldStream = fopen(IgnoreFileName, "r+b");
    if (heldStream && GetFileType(StreamHandle(heldStream)) != FILE_TYPE_DISK) {
        fclose(heldStream);
        heldStream = nullptr;
    }
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
    EntryReader reader;
    StartReading(&reader);
    // The entry equals the name or begins with it: what strncmp over the
    // name's length finds, without a call for the entries too short to.
    for (int entryLength; (entryLength = ReadEntry(&reader, entry)) >= 0;) {
        if ((size_t)entryLength >= length && memcmp(entry, name, length) == 0)
            return true;
    }
    return false;
}

bool LoadIgnoreEntries(IgnoreEntryReceiver receive, void *context)
{
    if (!heldStream)
        return false;
    char entry[IgnoreEntryMax + 1];
    EntryReader reader;
    StartReading(&reader);
    while (ReadEntry(&reader, entry) >= 0)
        receive(entry, context);
    // A list cut short by a failed read is no list to edit: saved, it would
    // lose every entry after the failure.
    return !reader.failed;
}

bool SaveIgnoreEntries(HWND owner, const IgnoreEntrySource &source)
{
    // What the file holds now, to put back if the new list cannot be
    // written whole: a save never leaves the list cut. A list that cannot be
    // kept is not emptied.
    char *previous = nullptr;
    size_t previousSize = 0;
    if (!heldStream || !HeldFileIsNamed() ||
        !ReadWholeStream(heldStream, &previous, &previousSize)) {
        ReportSaveFailure(owner);
        return false;
    }
    // The new list goes over the old one from its start, and the file is cut
    // to the new length only once all of it is written: until then the old
    // list's space stays the file's own, and another program filling the
    // volume meanwhile cannot take it. A full disk must not pass for a saved
    // list.
    bool written = fseek(heldStream, 0, SEEK_SET) == 0;
    char entry[IgnoreEntryMax + 1];
    for (int index = 0; written && index < source.count; ++index) {
        if (ReadIgnoreEntry(source, index, entry) >= 0 && !WriteEntry(entry, heldStream))
            written = false;
    }
    // Any write that failed has left the stream's error flag set, whatever
    // its call gave back: asked once more before the list counts as saved.
    long length =
        written && fflush(heldStream) == 0 && !ferror(heldStream) ? ftell(heldStream) : -1;
    written = length >= 0 && TruncateStream(heldStream, length);
    if (!written)
        WriteBack(heldStream, previous, previousSize);
    free(previous);
    // Every entry written ends in a line feed, so a saved list never ends in
    // the Ctrl-Z that opening drops.
    if (!written)
        ReportSaveFailure(owner);
    return written;
}

bool CanStoreEntry(const char *entry)
{
    for (; *entry; entry++)
        if (IsLineByte(*entry))
            return false;
    return true;
}
