/* Starts a program and loads a library into it once it waits for input; used by the Windows
 * check only, never shipped.
 *   launch.exe PROGRAM LIBRARY [ARGUMENT...]
 * The program inherits the standard handles and the working folder; launch.exe exits with the
 * program's exit code. */
#include <stdio.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fwprintf(stderr, L"usage: launch.exe PROGRAM LIBRARY [ARGUMENT...]\n");
        return 2;
    }
    // The program's command line: its path, then the arguments after the library, each quoted.
    static wchar_t line[32768];
    size_t used = 0;
    for (int i = 1; i < argc; ++i) {
        if (i == 2)
            continue;
        const int written = swprintf(line + used, sizeof(line) / sizeof(line[0]) - used,
                                     used ? L" \"%ls\"" : L"\"%ls\"", argv[i]);
        if (written < 0) {
            fwprintf(stderr, L"launch: command line too long\n");
            return 2;
        }
        used += (size_t)written;
    }
    STARTUPINFOW startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process;
    if (!CreateProcessW(argv[1], line, NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        fwprintf(stderr, L"launch: cannot start %ls: error %lu\n", argv[1], GetLastError());
        return 2;
    }
    // Its libraries are loaded by the time it waits for input.
    WaitForInputIdle(process.hProcess, 120000);

    SIZE_T size = (wcslen(argv[2]) + 1) * sizeof(wchar_t);
    void* path = VirtualAllocEx(process.hProcess, NULL, size, MEM_COMMIT, PAGE_READWRITE);
    HANDLE thread = NULL;
    if (path && WriteProcessMemory(process.hProcess, path, argv[2], size, NULL)) {
        thread = CreateRemoteThread(process.hProcess, NULL, 0,
                                    (LPTHREAD_START_ROUTINE)(void (*)(void))GetProcAddress(
                                        GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW"),
                                    path, 0, NULL);
    }
    DWORD loaded = 0;
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        GetExitCodeThread(thread, &loaded);
    }
    if (!loaded) {
        fwprintf(stderr, L"launch: %ls was not loaded into %ls\n", argv[2], argv[1]);
        TerminateProcess(process.hProcess, 2);
        return 2;
    }
    fwprintf(stderr, L"launch: %ls loaded\n", argv[2]);
    fflush(stderr);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return (int)code;
}
