// Second process for the named-mutex tests.
//   MutexHolder hold <mutex> <ready event> <release event>
//       takes the mutex, signals ready, waits for release, unlocks; exit 0
//   MutexHolder die <mutex> <ready event>
//       takes the mutex, signals ready and exits still owning it; exit 0
//   MutexHolder try <mutex>
//       exit 0 when Lock succeeded (and unlocks), 1 when it failed
#include "dshow/NamedMutex.h"

#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    CNamedMutex mutex(argv[2], FALSE);
    if (std::strcmp(argv[1], "try") == 0)
    {
        if (!mutex.Lock())
            return 1;
        mutex.Unlock();
        return 0;
    }
    if (argc < 4 || !mutex.Lock())
        return 3;
    HANDLE hReady = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (hReady == NULL)
        return 4;
    SetEvent(hReady);
    CloseHandle(hReady);
    if (std::strcmp(argv[1], "die") == 0)
        ExitProcess(0);
    if (argc < 5)
        return 2;
    HANDLE hRelease = OpenEventA(SYNCHRONIZE, FALSE, argv[4]);
    if (hRelease == NULL)
        return 4;
    WaitForSingleObject(hRelease, 30000);
    CloseHandle(hRelease);
    mutex.Unlock();
    return 0;
}
