// Line-by-line input of a text file, read in pieces of 128 bytes.
//
// Lines end at LF or CR LF; a lone CR is dropped from the line; the byte 0x1A
// ends the file wherever it stands. Every failed file operation ends the
// process with the fatal report, so callers never see a failure.
#pragma once

#include <cstddef>
#include <string>

#include "platform.h"

constexpr std::size_t kLineReaderBufferSize = 128;

struct TextLineReader {
  HANDLE handle = INVALID_HANDLE_VALUE;  // INVALID_HANDLE_VALUE while closed
  std::string name;
  unsigned char buffer[kLineReaderBufferSize];
  std::size_t position = 0;  // index of the next unread byte
  std::size_t end = 0;       // number of valid bytes in buffer
};

void Open(TextLineReader& reader, const std::string& name);
bool AtEnd(TextLineReader& reader);
std::string ReadLine(TextLineReader& reader);
void Close(TextLineReader& reader);
