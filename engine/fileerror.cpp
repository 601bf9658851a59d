// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileerror.h"

#include <cstring>
#include <filesystem>
#include <system_error>

std::string FullPath(const std::string& APath)
{
    std::error_code Ignored;
    const std::filesystem::path Absolute = std::filesystem::absolute(APath, Ignored);
    return Absolute.empty() ? APath : Absolute.lexically_normal().string();
}

EFOpenError::EFOpenError(const std::string& APath, int AErrno)
    : EFOpenError(APath, std::string(std::strerror(AErrno)))
{}

EFOpenError::EFOpenError(const std::string& APath, const std::string& AReason)
    : EFileError("Cannot open file \"" + FullPath(APath) + "\". " + AReason)
{}

EFCreateError::EFCreateError(const std::string& APath, int AErrno)
    : EFileError("Cannot create file \"" + FullPath(APath) + "\". " + std::strerror(AErrno))
{}

EDocumentError::EDocumentError(const std::string& APath, const std::string& AProblem)
    : EFileError("Cannot read document \"" + FullPath(APath) + "\": " + AProblem + ".")
{}
