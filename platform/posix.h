// Stand-ins for the Win32 calls of the core, for building and testing it on
// Linux. Only what the core uses is here, with Win32's names, types and
// results; error codes are errno values, so the system's text is strerror's.
#ifndef QUILLMOOR_POSIX_H
#define QUILLMOOR_POSIX_H

#include <errno.h>
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

typedef int BOOL;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef char *LPSTR;
typedef const char *LPCSTR;
typedef void *HANDLE;
typedef void *HLOCAL;
typedef void *LPVOID;
typedef struct HWND__ *HWND;

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define INVALID_HANDLE_VALUE ((HANDLE)(intptr_t)-1)

#define FILE_ATTRIBUTE_READONLY 0x1
#define FILE_ATTRIBUTE_DIRECTORY 0x10
#define FILE_ATTRIBUTE_NORMAL 0x80

#define FILE_SHARE_READ 0x1
#define FILE_SHARE_WRITE 0x2
#define FILE_SHARE_DELETE 0x4
#define OPEN_EXISTING 3
#define FILE_FLAG_BACKUP_SEMANTICS 0x02000000
#define FILE_TYPE_UNKNOWN 0
#define FILE_TYPE_DISK 1
#define FILE_TYPE_CHAR 2
#define FILE_TYPE_PIPE 3

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x200
#define FORMAT_MESSAGE_FROM_SYSTEM 0x1000

#define MB_OK 0x0
#define MB_YESNO 0x4
#define MB_ICONERROR 0x10
#define MB_ICONQUESTION 0x20
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7

#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND ENOENT
#define ERROR_PATH_NOT_FOUND ENOENT
#define ERROR_ACCESS_DENIED EACCES
#define ERROR_ALREADY_EXISTS EEXIST
#define ERROR_FILE_EXISTS EEXIST
#define ERROR_FILENAME_EXCED_RANGE ENAMETOOLONG
#define ERROR_INVALID_PARAMETER EINVAL
#define ERROR_NO_MORE_FILES ENODATA
#define ERROR_INVALID_NAME EINVAL
#define ERROR_DISK_FULL ENOSPC

typedef struct {
    DWORD dwFileAttributes;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    char cFileName[MAX_PATH];
} WIN32_FIND_DATAA;

typedef struct {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
} FILETIME;

typedef struct {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
} WIN32_FILE_ATTRIBUTE_DATA;

typedef enum { GetFileExInfoStandard } GET_FILEEX_INFO_LEVELS;

typedef struct {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD dwVolumeSerialNumber;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD nNumberOfLinks;
    DWORD nFileIndexHigh;
    DWORD nFileIndexLow;
} BY_HANDLE_FILE_INFORMATION;

// With C linkage, as Win32's own.
#ifdef __cplusplus
extern "C" {
#endif
HANDLE FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA *found);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA *found);
BOOL FindClose(HANDLE search);
DWORD GetFullPathNameA(LPCSTR path, DWORD size, LPSTR buffer, LPSTR *filePart);
BOOL MoveFileA(LPCSTR from, LPCSTR to);
BOOL DeleteFileA(LPCSTR path);
BOOL GetFileAttributesExA(LPCSTR path, GET_FILEEX_INFO_LEVELS level, void *information);
BOOL SetFileAttributesA(LPCSTR path, DWORD attributes);
// Opens OPEN_EXISTING only; access 0 asks for the file's identity and
// attributes alone.
HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD sharing, void *security, DWORD disposition,
                   DWORD flags, HANDLE templateFile);
BOOL GetFileInformationByHandle(HANDLE file, BY_HANDLE_FILE_INFORMATION *information);
DWORD GetFileType(HANDLE file);
BOOL CloseHandle(HANDLE file);
DWORD GetLastError(void);
void SetLastError(DWORD code);
DWORD FormatMessageA(DWORD flags, const void *source, DWORD code, DWORD language, LPSTR buffer,
                     DWORD size, void *arguments);
HLOCAL LocalFree(HLOCAL memory);
#ifdef __cplusplus
}
#endif

#endif
