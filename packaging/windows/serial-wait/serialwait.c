/* Loaded into kaviewer.exe by the Windows check only; never shipped.
 *
 * Qt SerialPort's Windows backend waits for serial events with
 * NtDeviceIoControlFile(IOCTL_SERIAL_WAIT_ON_MASK) on an overlapped handle, with no event
 * object and an APC routine for the completion. Wine 8.0 runs such a wait synchronously and
 * never queues the APC, and its wait gives up at once on a pseudo-terminal, which has no modem
 * lines. This library answers that one request the way Windows does: it returns
 * STATUS_PENDING, watches the port's input queue on a thread of its own, and completes the wait
 * with EV_RXCHAR (or STATUS_CANCELLED after CancelIoEx) through an APC to the waiting thread.
 * Every other call goes to Wine untouched. */
#include <windows.h>
#include <winternl.h>

#define WAIT_ON_MASK CTL_CODE(FILE_DEVICE_SERIAL_PORT, 18, METHOD_BUFFERED, FILE_ANY_ACCESS)
#ifndef STATUS_SUCCESS
#define STATUS_SUCCESS ((NTSTATUS)0)
#endif
#ifndef STATUS_CANCELLED
#define STATUS_CANCELLED ((NTSTATUS)0xC0000120L)
#endif

typedef NTSTATUS(NTAPI* IoControlFn)(HANDLE, HANDLE, PIO_APC_ROUTINE, PVOID, PIO_STATUS_BLOCK, ULONG, PVOID,
                                     ULONG, PVOID, ULONG);
typedef FARPROC(WINAPI* GetProcAddressFn)(HMODULE, LPCSTR);
typedef BOOL(WINAPI* CancelIoExFn)(HANDLE, LPOVERLAPPED);
typedef void (*AnyFn)(void);

struct wait
{
    HANDLE port;
    HANDLE caller;
    PIO_APC_ROUTINE apc;
    PVOID context;
    PIO_STATUS_BLOCK status;
    ULONG* events;
    volatile LONG cancelled;
    struct wait* next;
};

static IoControlFn wine_io_control;
static GetProcAddressFn wine_get_proc_address;
static CancelIoExFn wine_cancel_io_ex;
static CRITICAL_SECTION lock;
static struct wait* pending;

static void unlink_wait(struct wait* w)
{
    EnterCriticalSection(&lock);
    for (struct wait** p = &pending; *p; p = &(*p)->next) {
        if (*p == w) {
            *p = w->next;
            break;
        }
    }
    LeaveCriticalSection(&lock);
}

/* Runs on the waiting thread, in its alertable wait, as Windows runs the completion. */
static void CALLBACK deliver(ULONG_PTR arg)
{
    struct wait* w = (struct wait*)arg;
    w->apc(w->context, w->status, 0);
    CloseHandle(w->caller);
    HeapFree(GetProcessHeap(), 0, w);
}

static DWORD WINAPI watch(void* arg)
{
    struct wait* w = arg;
    NTSTATUS result = STATUS_CANCELLED;
    for (;;) {
        DWORD errors = 0;
        COMSTAT stat;
        if (w->cancelled || !ClearCommError(w->port, &errors, &stat))
            break;
        if (stat.cbInQue > 0) {
            *w->events = EV_RXCHAR;
            result = STATUS_SUCCESS;
            break;
        }
        Sleep(1);
    }
    unlink_wait(w);
    w->status->Information = result == STATUS_SUCCESS ? sizeof(ULONG) : 0;
    w->status->Status = result;
    if (!QueueUserAPC(deliver, w->caller, (ULONG_PTR)w)) {
        CloseHandle(w->caller);
        HeapFree(GetProcessHeap(), 0, w);
    }
    return 0;
}

static NTSTATUS NTAPI io_control(HANDLE file, HANDLE event, PIO_APC_ROUTINE apc, PVOID context,
                                 PIO_STATUS_BLOCK status, ULONG code, PVOID in, ULONG in_size, PVOID out,
                                 ULONG out_size)
{
    if (code != WAIT_ON_MASK || event || !apc || !out || out_size != sizeof(ULONG))
        return wine_io_control(file, event, apc, context, status, code, in, in_size, out, out_size);
    struct wait* w = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(*w));
    if (!w)
        return STATUS_NO_MEMORY;
    if (!DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &w->caller, 0, FALSE,
                         DUPLICATE_SAME_ACCESS)) {
        HeapFree(GetProcessHeap(), 0, w);
        return STATUS_NO_MEMORY;
    }
    w->port = file;
    w->apc = apc;
    w->context = context;
    w->status = status;
    w->events = out;
    *w->events = 0;
    status->Status = STATUS_PENDING;
    status->Information = 0;
    EnterCriticalSection(&lock);
    w->next = pending;
    pending = w;
    LeaveCriticalSection(&lock);
    HANDLE thread = CreateThread(NULL, 0, watch, w, 0, NULL);
    if (!thread) {
        unlink_wait(w);
        CloseHandle(w->caller);
        HeapFree(GetProcessHeap(), 0, w);
        return STATUS_NO_MEMORY;
    }
    CloseHandle(thread);
    return STATUS_PENDING;
}

static BOOL WINAPI cancel_io_ex(HANDLE file, LPOVERLAPPED overlapped)
{
    BOOL found = FALSE;
    EnterCriticalSection(&lock);
    for (struct wait* w = pending; w; w = w->next) {
        if (w->port == file && (!overlapped || (PVOID)&overlapped->Internal == (PVOID)w->status)) {
            InterlockedExchange(&w->cancelled, 1);
            found = TRUE;
        }
    }
    LeaveCriticalSection(&lock);
    BOOL wine = wine_cancel_io_ex(file, overlapped);
    return wine || found;
}

static FARPROC WINAPI get_proc_address(HMODULE module, LPCSTR name)
{
    FARPROC proc = wine_get_proc_address(module, name);
    if (proc && (ULONG_PTR)name > 0xffff && !lstrcmpA(name, "NtDeviceIoControlFile"))
        return (FARPROC)(AnyFn)io_control;
    return proc;
}

/* Points one import of a module (by the imported function's name) at a replacement. */
static void* patch_import(HMODULE module, const char* function, void* replacement)
{
    BYTE* base = (BYTE*)module;
    IMAGE_NT_HEADERS* nt = (IMAGE_NT_HEADERS*)(base + ((IMAGE_DOS_HEADER*)base)->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    void* original = NULL;
    for (IMAGE_IMPORT_DESCRIPTOR* d = (IMAGE_IMPORT_DESCRIPTOR*)(base + dir.VirtualAddress);
         dir.VirtualAddress && d->Name; d++) {
        IMAGE_THUNK_DATA* names = (IMAGE_THUNK_DATA*)(base + d->OriginalFirstThunk);
        IMAGE_THUNK_DATA* slots = (IMAGE_THUNK_DATA*)(base + d->FirstThunk);
        for (; names->u1.AddressOfData; names++, slots++) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            IMAGE_IMPORT_BY_NAME* by_name = (IMAGE_IMPORT_BY_NAME*)(base + names->u1.AddressOfData);
            if (lstrcmpA((const char*)by_name->Name, function))
                continue;
            DWORD old;
            VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
            original = (void*)slots->u1.Function;
            slots->u1.Function = (ULONG_PTR)replacement;
            VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
        }
    }
    return original;
}

/* A pointer Qt SerialPort already resolved sits in its writable data: replace it there too. */
static void patch_resolved(HMODULE module, void* from, void* to)
{
    BYTE* base = (BYTE*)module;
    IMAGE_NT_HEADERS* nt = (IMAGE_NT_HEADERS*)(base + ((IMAGE_DOS_HEADER*)base)->e_lfanew);
    IMAGE_SECTION_HEADER* s = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; i++, s++) {
        if (!(s->Characteristics & IMAGE_SCN_MEM_WRITE))
            continue;
        void** p = (void**)(base + s->VirtualAddress);
        void** end = (void**)(base + s->VirtualAddress + s->Misc.VirtualSize);
        for (; p < end; p++) {
            if (*p == from)
                *p = to;
        }
    }
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    HMODULE core = GetModuleHandleA("Qt5Core.dll");
    HMODULE serial = GetModuleHandleA("Qt5SerialPort.dll");
    if (!core || !serial)
        return FALSE;
    InitializeCriticalSection(&lock);
    wine_io_control =
        (IoControlFn)(AnyFn)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeviceIoControlFile");
    wine_get_proc_address = (GetProcAddressFn)GetProcAddress;
    wine_cancel_io_ex = (CancelIoExFn)(AnyFn)GetProcAddress(GetModuleHandleA("kernel32.dll"), "CancelIoEx");
    if (!wine_io_control || !wine_cancel_io_ex)
        return FALSE;
    if (!patch_import(core, "GetProcAddress", (void*)get_proc_address))
        return FALSE;
    if (!patch_import(serial, "CancelIoEx", (void*)cancel_io_ex))
        return FALSE;
    patch_resolved(serial, (void*)wine_io_control, (void*)io_control);
    return TRUE;
}
