#include "platform/os/file_errors.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "platform/automation/ascii.h"
#include "platform/text/codepage.h"
#include "platform/text/large_buffer.h"
#include "platform/text/piece_decoder.h"

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
        return FolderExistsFor(path) ? errnum::kFileNotFound : errnum::kPathNotFound;
    case ENOTDIR:
        return errnum::kPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EBUSY:
        return errnum::kPermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return errnum::kDiskFull;
    case EIO:
        return errnum::kDeviceIoError;
    case EMFILE:
    case ENFILE:
        return errnum::kTooManyFiles;
    case ENOMEM:
        return errnum::kOutOfMemory;
    default:  // EISDIR, ENAMETOOLONG, ELOOP, EINVAL, EEXIST and the rest
        return errnum::kPathFileAccessError;
    }
}

ComError ErrorForNumber(LONG number, const std::u16string& source) {
    return ComError(number, source, DescribeHresult(HRESULT_FROM_ERRNUMBER(number)));
}

ComError ErrorForErrno(int error, const std::string& path, const std::u16string& source) {
    return ErrorForNumber(NumberForErrno(error, path), source);
}

namespace {

// Runs a read with its failures raised as the runtime's errors.
template <typename Read>
auto RaisingReadErrors(const std::string& path, const std::u16string& source, Read read) {
    try {
        return read();
    } catch (const std::system_error& error) {
        throw ErrorForErrno(error.code().value(), path, source);
    } catch (const fileio::InputTooLarge& error) {
        throw ComError(errnum::kOutOfMemory, source,
                       u"Out of memory: the input holds more than " + automation::DecimalDigits(error.limit()) +
                           u" bytes, more than a byte array or a String can hold.");
    }
}

}  // namespace

std::string ReadToEndOrRaise(int fd, const std::string& path, const std::u16string& source,
                             const fileio::StopRequest& stop) {
    return RaisingReadErrors(path, source, [&] { return fileio::ReadToEnd(fd, fileio::kMaxWholeFileBytes, stop); });
}

std::u16string ReadTextToEndOrRaise(int fd, const std::string& path, const std::u16string& source,
                                    const fileio::StopRequest& stop) {
    return RaisingReadErrors(path, source, [&] {
        // No code page gives more units than bytes.
        const std::size_t expected = std::min(fileio::ReportedSize(fd), fileio::kMaxWholeFileBytes);
        std::u16string text;
        text.reserve(expected);
        text::AdviseLargeBuffer(text.data(), expected * sizeof(char16_t));
        text::PieceDecoder decoder(CP_ACP);
        fileio::ReadInPieces(fd, fileio::kMaxWholeFileBytes, stop, [&](std::string_view piece) { decoder.decode(piece, text); });
        decoder.finish(text);
        return text;
    });
}

std::string FileSystemPath(std::u16string_view fileName, const std::u16string& source) {
    std::string path = text::TextToAnsi(fileName);
    if (path.find('\0') != std::string::npos) throw ErrorForNumber(errnum::kBadFileName, source);
    return path;
}

}  // namespace fileerrors
