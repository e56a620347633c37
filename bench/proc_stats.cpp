// Prints what the system reports of a running program's resources, for
// bench/soak.sh: its working set, its handle count and its GDI and USER
// objects, as "ws_kb=N handles=N gdi=N user=N" ("n/a" for what the system
// does not report: Wine counts no handles or GUI objects for another
// process). The program is found by its executable's name.
//   proc_stats zav_amp.exe
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: proc_stats EXE-NAME\n");
        return 2;
    }
    DWORD pid = 0;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (_stricmp(entry.szExeFile, argv[1]) == 0) pid = entry.th32ProcessID;
    CloseHandle(snapshot);
    if (!pid) {
        std::fprintf(stderr, "proc_stats: no process %s\n", argv[1]);
        return 1;
    }
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) {
        std::fprintf(stderr, "proc_stats: cannot open %s\n", argv[1]);
        return 1;
    }
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    DWORD handles = 0;
    const bool haveMemory = GetProcessMemoryInfo(process, &memory, sizeof(memory)) != FALSE;
    const bool haveHandles = GetProcessHandleCount(process, &handles) != FALSE;
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS), user = GetGuiResources(process, GR_USEROBJECTS);
    CloseHandle(process);
    const auto show = [](bool known, unsigned long long v) {
        static char buf[4][32];
        static int n = 0;
        char* b = buf[n++ % 4];
        if (known)
            std::snprintf(b, 32, "%llu", v);
        else
            std::strcpy(b, "n/a");
        return b;
    };
    std::printf("ws_kb=%s handles=%s gdi=%s user=%s\n", show(haveMemory, memory.WorkingSetSize / 1024),
                show(haveHandles && handles != 0, handles), show(gdi != 0, gdi), show(user != 0, user));
    return 0;
}
