#include "components/system/file_errors.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/text/codepage.h"

namespace fileerrors {

namespace {

bool FolderExistsFor(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return true;  // the current folder
    std::string folder = slash == 0 ? std::string("/") : path.substr(0, slash);
    struct stat status {};
    return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

LONG NumberForErrno(int error, const std::string& path) {
    switch (error) {
    case ENOENT:
        return FolderExistsFor(path) ? kFileNotFound : kPathNotFound;
    case ENOTDIR:
        return kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EBUSY:
        return kPermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return kDiskFull;
    case EIO:
        return kDeviceIoError;
    case EMFILE:
    case ENFILE:
        return kTooManyFiles;
    case ENOMEM:
        return kOutOfMemory;
    default:  // EISDIR, ENAMETOOLONG, ELOOP, EINVAL, EEXIST and the rest
        return kPathFileAccessError;
    }
}

ComError ErrorForNumber(LONG number, const std::u16string& source) {
    return ComError(number, source, DescribeHresult(HRESULT_FROM_ERRNUMBER(number)));
}

ComError ErrorForErrno(int error, const std::string& path, const std::u16string& source) {
    return ErrorForNumber(NumberForErrno(error, path), source);
}

std::string FileSystemPath(std::u16string_view fileName, const std::u16string& source) {
    std::string path = text::TextToAnsi(fileName);
    if (path.find('\0') != std::string::npos) throw ErrorForNumber(kBadFileName, source);
    return path;
}

}  // namespace fileerrors
