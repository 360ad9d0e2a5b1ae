#pragma once

// This process's memory as the kernel reports it in /proc/self/status.
namespace ProcessMemory
{

// Resident set size now, and its peak since start or since the last ResetPeak, in kB.
long ResidentKb();
long PeakResidentKb();
// Starts a new peak from the current size; false where the kernel does not offer it.
bool ResetPeak();

} // namespace ProcessMemory
