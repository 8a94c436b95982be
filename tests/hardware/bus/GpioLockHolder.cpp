// Takes "GPIO_LOCK", says so through the event named by the first argument,
// and keeps the lock until the event named by the second one is set (at most
// ten seconds).
#include <windows.h>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    HANDLE hMutex = CreateMutexA(NULL, FALSE, "GPIO_LOCK");
    HANDLE hHeld = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE hRelease = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (hMutex == NULL || hHeld == NULL || hRelease == NULL)
        return 3;
    if (WaitForSingleObject(hMutex, 5000) != WAIT_OBJECT_0)
        return 4;
    SetEvent(hHeld);
    WaitForSingleObject(hRelease, 10000);
    ReleaseMutex(hMutex);
    CloseHandle(hMutex);
    return 0;
}
