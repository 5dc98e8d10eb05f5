#include "text_line_reader.h"

#include "fatal_error.h"

namespace {

constexpr int kEndMarker = -1;
constexpr unsigned char kEndOfFileByte = 0x1A;

// The error of the last failed file operation, 0 when there is none. The
// program has one thread, so one value serves.
DWORD pendingError = 0;

void CheckIo(DWORD location) {
  if (pendingError != 0) ReportFatalIoError(pendingError, location);
}

void Refill(TextLineReader& reader) {
  reader.position = 0;
  reader.end = 0;
  DWORD bytesRead = 0;
  if (ReadFile(reader.handle, reader.buffer, kLineReaderBufferSize, &bytesRead, nullptr)) {
    reader.end = bytesRead;
    return;
  }
  DWORD error = GetLastError();
  if (error != ERROR_BROKEN_PIPE) pendingError = error;  // a broken pipe is the end
}

// The next byte, or kEndMarker at the end of the file, at a 0x1A or after a
// failed read. A 0x1A is never consumed, so everyone after sees the same end.
int NextChar(TextLineReader& reader) {
  if (reader.position >= reader.end) {
    Refill(reader);
    if (pendingError != 0) return kEndMarker;
    if (reader.end == 0) {
      reader.buffer[0] = kEndOfFileByte;
      reader.end = 1;
    }
  }
  unsigned char byte = reader.buffer[reader.position];
  if (byte == kEndOfFileByte) return kEndMarker;
  ++reader.position;
  return byte;
}

}  // namespace

void Open(TextLineReader& reader, const std::string& name) {
  reader.name = name;
  reader.position = 0;
  reader.end = 0;
  reader.handle = CreateFileA(reader.name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (reader.handle == INVALID_HANDLE_VALUE) pendingError = GetLastError();
  CheckIo(kLocationOpen);
}

bool AtEnd(TextLineReader& reader) {
  bool atEnd;
  if (reader.position < reader.end) {
    atEnd = reader.buffer[reader.position] == kEndOfFileByte;
  } else {
    atEnd = NextChar(reader) == kEndMarker;
    if (!atEnd) --reader.position;  // put the byte back
  }
  CheckIo(kLocationAtEnd);
  return atEnd;
}

// Takes the line's content and consumes its end. Taking stops at LF, at CR LF
// and at the end marker; any other CR is dropped.
std::string ReadLine(TextLineReader& reader) {
  std::string line;
  int c = NextChar(reader);
  while (c != kEndMarker && c != '\n') {
    if (c == '\r') {
      c = NextChar(reader);
      if (c == '\n') break;
      continue;  // a lone CR: drop it and look at what followed
    }
    line += static_cast<char>(c);
    c = NextChar(reader);
  }
  CheckIo(kLocationReadLine);
  return line;
}

void Close(TextLineReader& reader) {
  if (!CloseHandle(reader.handle)) pendingError = GetLastError();
  reader.handle = INVALID_HANDLE_VALUE;  // closed either way
  CheckIo(kLocationClose);
}
