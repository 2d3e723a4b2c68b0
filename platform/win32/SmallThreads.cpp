// Linked into the shipped programs only (see cmake/ProductProgram.cmake),
// beside SmallRuntime.cpp. The static C++ runtime of this toolchain takes its
// locks, one-time initialisation and thread-local storage from the POSIX
// threads library, which weighs some 30 KB because its thread functions come
// as one piece. The shipped programs start their threads through the system
// (platform::TWorkerThread) and need only the few functions below, made here
// from the system's critical sections, condition variables, one-time
// initialisation and fiber-local storage:
// - the unwinder and the thread-local storage emulation: once, keys, locks;
// - the exception allocator: locks;
// - the guards of function-local statics: once, locks, a condition;
// - the destructors of thread-local objects: once, keys.
// The objects are the library's own types; a lock or condition made by its
// static initialiser is created on its first use. Should a program need a
// function of the library that is not here, the library's object is pulled in
// and the link ends with duplicate definitions rather than go unnoticed.
#include <errno.h>
#include <pthread.h>
#include <windows.h>

namespace {

bool IsStaticInitializer(intptr_t value) {
    return value == GENERIC_INITIALIZER || value == GENERIC_ERRORCHECK_INITIALIZER ||
           value == GENERIC_RECURSIVE_INITIALIZER;
}

// The object behind a lock or condition word: made on first use when the word
// still holds its static initialiser; of two threads that race, one's object
// is kept and the other's destroyed.
template <class Object, class Make, class Destroy>
Object* ObjectOf(intptr_t* word, Make make, Destroy destroy) {
    intptr_t value = __atomic_load_n(word, __ATOMIC_ACQUIRE);
    if (!IsStaticInitializer(value)) return reinterpret_cast<Object*>(value);
    Object* made = make();
    if (!made) return nullptr;
    if (__atomic_compare_exchange_n(word, &value, reinterpret_cast<intptr_t>(made), false, __ATOMIC_ACQ_REL,
                                    __ATOMIC_ACQUIRE))
        return made;
    destroy(made);
    return reinterpret_cast<Object*>(value);
}

template <class Object>
Object* Allocate() {
    return static_cast<Object*>(HeapAlloc(GetProcessHeap(), 0, sizeof(Object)));
}

void Free(void* object) { HeapFree(GetProcessHeap(), 0, object); }

CRITICAL_SECTION* NewSection() {
    CRITICAL_SECTION* section = Allocate<CRITICAL_SECTION>();
    if (section) InitializeCriticalSection(section);
    return section;
}

void DestroySection(CRITICAL_SECTION* section) {
    DeleteCriticalSection(section);
    Free(section);
}

CRITICAL_SECTION* SectionOf(pthread_mutex_t* mutex) {
    return ObjectOf<CRITICAL_SECTION>(mutex, NewSection, DestroySection);
}

CONDITION_VARIABLE* NewCondition() {
    CONDITION_VARIABLE* condition = Allocate<CONDITION_VARIABLE>();
    if (condition) InitializeConditionVariable(condition);
    return condition;
}

CONDITION_VARIABLE* ConditionOf(pthread_cond_t* condition) {
    return ObjectOf<CONDITION_VARIABLE>(condition, NewCondition, Free);
}

BOOL CALLBACK RunOnce(INIT_ONCE*, void* routine, void**) {
    reinterpret_cast<void (*)()>(routine)();
    return TRUE;
}

// Keys are entries of one table per thread, which one fiber-local slot
// holds. When the thread ends, the slot's callback runs the keys' destructors
// as a POSIX thread's end does: later keys before earlier ones (the runtime's
// thread-local objects are destroyed before the storage block they live in),
// each value reset to null before its destructor gets it, and pass after
// pass while destructors set values again. Keys are not reused, so their
// numbers keep the order of creation.
constexpr unsigned kKeys = 8;
void (*gDestructors[kKeys])(void*);
long gKeyCount = 0;
DWORD gSlot = FLS_OUT_OF_INDEXES;
INIT_ONCE gSlotMade = INIT_ONCE_STATIC_INIT;

// One pass over the thread's values; false when no destructor ran.
bool RunDestructorPass(void** values) {
    bool ran = false;
    for (unsigned key = kKeys; key-- > 0;) {
        void* value = values[key];
        void (*destructor)(void*) = __atomic_load_n(&gDestructors[key], __ATOMIC_ACQUIRE);
        if (!value || !destructor) continue;
        values[key] = nullptr;
        destructor(value);
        ran = true;
    }
    return ran;
}

// Destructors reach the values through the slot, so it stays set while they run.
void WINAPI RunDestructors(void* table) {
    FlsSetValue(gSlot, table);
    for (int pass = 0; pass < PTHREAD_DESTRUCTOR_ITERATIONS && RunDestructorPass(static_cast<void**>(table)); ++pass) {
    }
    FlsSetValue(gSlot, nullptr);
    Free(table);
}

BOOL CALLBACK MakeSlot(INIT_ONCE*, void*, void**) {
    gSlot = FlsAlloc(RunDestructors);
    return gSlot != FLS_OUT_OF_INDEXES;
}

// The calling thread's table; null when it has none yet. Reading the slot
// resets the thread's last error, which its caller may be about to read.
void** ValuesOfThread() {
    const DWORD lastError = GetLastError();
    void* table = FlsGetValue(gSlot);
    SetLastError(lastError);
    return static_cast<void**>(table);
}

}  // namespace

extern "C" {

int pthread_mutex_init(pthread_mutex_t* mutex, const pthread_mutexattr_t*) {
    CRITICAL_SECTION* section = NewSection();
    if (!section) return ENOMEM;
    *mutex = reinterpret_cast<intptr_t>(section);
    return 0;
}

int pthread_mutex_destroy(pthread_mutex_t* mutex) {
    if (!IsStaticInitializer(*mutex)) DestroySection(reinterpret_cast<CRITICAL_SECTION*>(*mutex));
    *mutex = PTHREAD_MUTEX_INITIALIZER;
    return 0;
}

int pthread_mutex_lock(pthread_mutex_t* mutex) {
    CRITICAL_SECTION* section = SectionOf(mutex);
    if (!section) return ENOMEM;
    EnterCriticalSection(section);
    return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* mutex) {
    LeaveCriticalSection(reinterpret_cast<CRITICAL_SECTION*>(*mutex));
    return 0;
}

// The mutex is locked, so its section exists.
int pthread_cond_wait(pthread_cond_t* condition, pthread_mutex_t* mutex) {
    CONDITION_VARIABLE* variable = ConditionOf(condition);
    if (!variable) return ENOMEM;
    SleepConditionVariableCS(variable, reinterpret_cast<CRITICAL_SECTION*>(*mutex), INFINITE);
    return 0;
}

int pthread_cond_broadcast(pthread_cond_t* condition) {
    CONDITION_VARIABLE* variable = ConditionOf(condition);
    if (!variable) return ENOMEM;
    WakeAllConditionVariable(variable);
    return 0;
}

int pthread_once(pthread_once_t* once, void (*routine)()) {
    static_assert(sizeof(pthread_once_t) == sizeof(INIT_ONCE) && PTHREAD_ONCE_INIT == 0,
                  "the once word is used as the system's one-time initialisation");
    InitOnceExecuteOnce(reinterpret_cast<INIT_ONCE*>(once), RunOnce, reinterpret_cast<void*>(routine), nullptr);
    return 0;
}

int pthread_key_create(pthread_key_t* key, void (*destructor)(void*)) {
    if (!InitOnceExecuteOnce(&gSlotMade, MakeSlot, nullptr, nullptr)) return EAGAIN;
    const long index = __atomic_fetch_add(&gKeyCount, 1, __ATOMIC_ACQ_REL);
    if (index >= static_cast<long>(kKeys)) return EAGAIN;
    __atomic_store_n(&gDestructors[index], destructor, __ATOMIC_RELEASE);
    *key = static_cast<pthread_key_t>(index);
    return 0;
}

// Values left in the threads' tables are not destroyed, as with a POSIX key.
int pthread_key_delete(pthread_key_t key) {
    __atomic_store_n(&gDestructors[key], nullptr, __ATOMIC_RELEASE);
    return 0;
}

void* pthread_getspecific(pthread_key_t key) {
    void** values = ValuesOfThread();
    return values ? values[key] : nullptr;
}

// The thread's table is made when it first sets a value.
int pthread_setspecific(pthread_key_t key, const void* value) {
    void** values = ValuesOfThread();
    if (!values) {
        if (!value) return 0;
        values = static_cast<void**>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, kKeys * sizeof(void*)));
        if (!values) return ENOMEM;
        if (!FlsSetValue(gSlot, values)) {
            Free(values);
            return ENOMEM;
        }
    }
    values[key] = const_cast<void*>(value);
    return 0;
}

}  // extern "C"
