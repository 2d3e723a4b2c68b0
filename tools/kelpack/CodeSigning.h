#pragma once
// Authenticode signatures for the programs a setup ships (Setup.exe and
// uninstall.exe), made by the system's osslsigncode with the vendor's
// certificate.
#include <string>

#include "tools/kelpack/StagingFiles.h"

struct TSigningOptions {
    std::string Certificate;   // a PKCS#12 file (.pfx) holding the certificate and its private key
    std::string PasswordFile;  // the file whose first line is its password; empty: none
    std::string TimestampUrl;  // an RFC 3161 time-stamp server; empty: no time stamp
};

// Checks that the files exist and that osslsigncode can be run, before
// anything is written; raises Exception.
void CheckSigningOptions(const TSigningOptions& options);

// A signed copy of the program among the staging files; the program itself
// stays as it is. Raises Exception naming what went wrong: a wrong password,
// a file that holds no certificate, a program that cannot be signed.
std::string SignProgram(const TSigningOptions& options, const std::string& program, TStagingFiles& staging);
