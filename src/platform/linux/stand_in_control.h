// What tests can script and observe on the Linux stand-ins.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "windows_api.h"

namespace standin {

// Back to a clean machine: no scripted failures, nothing recorded, the
// executable path "C:\autolaunch.exe".
void Reset();

// The path GetModuleFileNameA reports for the running executable.
void SetModulePath(const std::string& path);

// File calls that can be made to fail. Reads are counted from 1 across all
// handles since the last Reset.
enum class FileCall { Open, Read, Close };
void FailFileCall(FileCall call, DWORD error, int nthRead = 1);
int ReadCallCount();

// Make the n-th allocation from now on fail (counted from 1); 0 disarms.
void FailAllocation(long nth);
std::size_t PeakHeapBytes();  // most bytes held at once since ResetPeakHeap
void ResetPeakHeap();

struct ShellRequest {
  bool windowIsNull;
  bool operationIsNull;
  bool fileIsNull, parametersIsNull, directoryIsNull;
  std::string file, parameters, directory;
  int showCommand;
};
const std::vector<ShellRequest>& ShellRequests();

// MessageBoxA and ShellExecuteA also write what they were given to stderr, as
// one line each: a death test reads them there after the process has ended.

}  // namespace standin
