/* sox.exe for the tests under Wine, which make their sound files with the
 * build machine's sox: runs that sox, with each Windows path among the
 * arguments turned into the Unix path Wine maps it to. Wine starts a Unix
 * program without waiting for it, so the shell that runs sox writes its exit
 * status to a file, which this waits for. Built by scripts/test-windows. */
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>
#include <windows.h>

typedef char*(CDECL* UnixFileName)(const WCHAR*);

static UnixFileName unixFileName;

/* Appends `text` to `line` as one quoted argument (none holds a quote or a backslash). */
static void append(WCHAR* line, const WCHAR* text)
{
    wcscat(line, L" \"");
    wcscat(line, text);
    wcscat(line, L"\"");
}

/* The Unix path of a Windows path, into `unix`. */
static void toUnix(const WCHAR* path, WCHAR* unix, int size)
{
    char* converted = unixFileName(path);
    MultiByteToWideChar(CP_UTF8, 0, converted ? converted : "", -1, unix, size);
    HeapFree(GetProcessHeap(), 0, converted);
}

int wmain(int argc, wchar_t** argv)
{
    unixFileName = (UnixFileName)(void (*)(void))GetProcAddress(GetModuleHandleW(L"kernel32.dll"),
                                                                "wine_get_unix_file_name");
    if (!unixFileName) {
        fputs("sox.exe: not under Wine\n", stderr);
        return 127;
    }
    WCHAR folder[MAX_PATH], status[MAX_PATH], unixStatus[MAX_PATH * 4];
    GetTempPathW(MAX_PATH, folder);
    GetTempFileNameW(folder, L"sox", 0, status);
    DeleteFileW(status);
    toUnix(status, unixStatus, MAX_PATH * 4);

    static WCHAR line[32768];
    wcscpy(line, L"Z:\\bin\\sh -c \"/usr/bin/sox \\\"$@\\\"; echo $? >\\\"$0.part\\\"; "
                 L"mv \\\"$0.part\\\" \\\"$0\\\"\"");
    append(line, unixStatus);
    for (int i = 1; i < argc; ++i) {
        WCHAR unix[MAX_PATH * 4];
        const WCHAR* arg = argv[i];
        if (iswalpha(arg[0]) && arg[1] == L':' && (arg[2] == L'\\' || arg[2] == L'/')) {
            toUnix(arg, unix, MAX_PATH * 4);
            arg = unix;
        }
        if (wcslen(line) + wcslen(arg) + 4 >= sizeof line / sizeof *line)
            return 127;
        append(line, arg);
    }
    STARTUPINFOW startup = {.cb = sizeof startup};
    PROCESS_INFORMATION process;
    if (!CreateProcessW(NULL, line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "sox.exe: cannot start sox (%lu)\n", GetLastError());
        return 127;
    }
    for (int waited = 0; GetFileAttributesW(status) == INVALID_FILE_ATTRIBUTES; waited += 10) {
        if (waited > 60000) {
            fputs("sox.exe: sox did not finish\n", stderr);
            return 127;
        }
        Sleep(10);
    }
    FILE* file = _wfopen(status, L"r");
    int code = 127;
    if (file) {
        if (fscanf(file, "%d", &code) != 1)
            code = 127;
        fclose(file);
    }
    DeleteFileW(status);
    return code;
}
