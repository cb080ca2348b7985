/* Finds a top-level window by its caption and writes what it shows, for the
   end-to-end tests of the launcher's question box: its caption, its owner,
   and each child window's class, control id and text, in the probe's field
   format ("<name> <byte count>\n<bytes>\n").

     read_box.exe <caption> <output file> [seconds to wait, default 30]

   Ends with 0 when the window was found, 1 when it never appeared. */

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static FILE* out;

static void WriteField(const char* name, const char* value) {
  fprintf(out, "%s %lu\n", name, (unsigned long)strlen(value));
  fwrite(value, 1, strlen(value), out);
  fputc('\n', out);
}

static BOOL CALLBACK WriteChild(HWND child, LPARAM unused) {
  char class_name[256], text[4096], field[4608];
  (void)unused;
  GetClassNameA(child, class_name, sizeof class_name);
  GetWindowTextA(child, text, sizeof text);
  snprintf(field, sizeof field, "%s|%d|%s|%s", class_name, GetDlgCtrlID(child),
           IsWindowVisible(child) ? "visible" : "hidden", text);
  WriteField("child", field);
  return TRUE;
}

int main(int argc, char** argv) {
  char caption[1024], class_name[256], owner[32];
  int seconds = argc > 3 ? atoi(argv[3]) : 30;
  HWND box = NULL;
  int waited;
  if (argc < 3) return 2;
  for (waited = 0; waited < seconds * 10; ++waited) {
    box = FindWindowA(NULL, argv[1]);
    if (box && IsWindowVisible(box)) break;
    box = NULL;
    Sleep(100);
  }
  if (!box) return 1;
  Sleep(300); /* let it finish painting before anyone takes a picture */
  out = fopen(argv[2], "wb");
  if (!out) return 3;
  GetWindowTextA(box, caption, sizeof caption);
  GetClassNameA(box, class_name, sizeof class_name);
  snprintf(owner, sizeof owner, "%p", (void*)GetWindow(box, GW_OWNER));
  WriteField("caption", caption);
  WriteField("class", class_name);
  WriteField("owner", GetWindow(box, GW_OWNER) ? owner : "none");
  EnumChildWindows(box, WriteChild, 0);
  WriteField("end", "");
  fclose(out);
  return 0;
}
