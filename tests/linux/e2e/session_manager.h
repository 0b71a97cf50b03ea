// A session manager (XSMP) for one logout: clients register; once "<ready file>.logout" exists,
// each is told to save for a shutdown without interaction, and to die once it has saved.
#pragma once

// Writes the address for SESSION_MANAGER into the ready file, then serves until killed.
void RunSessionManager(const char* readyFile);
