// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

// Failures of file access. what() is the text shown to the user.
class EFileError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The file could not be opened or read; carries the system's description.
class EFOpenError : public EFileError
{
public:
    EFOpenError(const std::string& APath, int AErrno);
    EFOpenError(const std::string& APath, const std::string& AReason);
};

// The file could not be created or written; carries the system's description.
class EFCreateError : public EFileError
{
public:
    EFCreateError(const std::string& APath, int AErrno);
};

// The file was read but does not hold a well-formed document.
class EDocumentError : public EFileError
{
public:
    EDocumentError(const std::string& APath, const std::string& AProblem);
};

// The full path that messages name.
std::string FullPath(const std::string& APath);
