#pragma once
// Registers the pictures compiled into the program (the library is static, so the
// resource data is linked only when something calls this).
void KestrelInitResources();
