#pragma once

// Takes the per-user lock that only one running Velmora may hold; a lock left behind by a
// process that has ended is taken over. False when another instance holds it; true again
// when this process holds it already.
bool AcquireSingleInstanceLock();

// Gives the lock up; the end of the process does the same.
void ReleaseSingleInstanceLock();
