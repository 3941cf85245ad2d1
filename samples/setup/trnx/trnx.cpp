// TRNX.EXE: a stand-in for the TARNIX drawing viewer, small enough to ship
// as the sample payload. It shows whom the installer personalised it for.
//
// The installer finds the first run of exactly 31 "~" in this program's
// image and writes an empty string there, the owner name 32 bytes on and
// the firm 64 bytes on. The run below is that marker; the zero after it
// ends the run.
#include <windows.h>

namespace {

// volatile: the bytes are changed in the file, after compilation, so the
// compiler must not fold the reads into constants.
volatile const char kPersonalArea[96] = "~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~";  // 31 "~", then zeros

// Appends the field at `offset` (at most 31 characters) to `text`.
void append_field(char* text, int offset) {
  char* end = text + lstrlenA(text);
  for (int i = offset; i < offset + 31 && kPersonalArea[i] != '\0'; ++i) *end++ = kPersonalArea[i];
  *end = '\0';
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char message[160] = "TARNIX CAD File Viewer (sample)\n\n";
  if (kPersonalArea[0] == '~') {
    lstrcatA(message, "This copy has not been personalised.");
  } else {
    lstrcatA(message, "Licensed to: ");
    append_field(message, 32);
    lstrcatA(message, "\nOrganization: ");
    append_field(message, 64);
  }
  MessageBoxA(nullptr, message, "TARNIX", MB_OK | MB_ICONINFORMATION);
  return 0;
}
