#include "tools/kelpack/CodeSigning.h"

#include <optional>
#include <sstream>
#include <vector>

#include "platform/ChildProcess.h"
#include "platform/Exception.h"
#include "platform/FileSystem.h"
#include "platform/ProgramSearch.h"

namespace {

const char* const kSigner = "osslsigncode";

constexpr const char* kNotInstalled = "Cannot sign: osslsigncode is not installed (on Debian: apt-get install osslsigncode)";

// The signer by its full path from the search path, never from the current folder.
std::string SignerPath() {
    const std::string signer = platform::ProgramOnSearchPath(kSigner);
    if (signer.empty()) throw Exception(kNotInstalled);
    return signer;
}

bool Says(const std::string& output, const char* text) { return output.find(text) != std::string::npos; }

// What the tool said, on one line, for failures it gives no other reason for.
std::string OutputLine(const std::string& output) {
    std::string said;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // OpenSSL's own error stack says nothing a vendor can act on.
        if (line.empty() || line == "Failed" || Says(line, ":error:")) continue;
        said += (said.empty() ? "" : "; ") + line;
    }
    return said.empty() ? "it gives no reason" : said;
}

std::string FailureReason(const TSigningOptions& options, const std::string& output) {
    if (Says(output, "Wrong password") || Says(output, "mac verify failure"))
        return options.PasswordFile.empty()
                   ? options.Certificate + " needs a password; give it with --sign-password-file FILE"
                   : "the password in " + options.PasswordFile + " does not open " + options.Certificate;
    if (Says(output, "PKCS#12") || Says(output, "Failed to read key or certificates"))
        return options.Certificate + " holds no readable certificate with its private key (a PKCS#12 file is needed)";
    if (Says(output, "unsupported input file type")) return "it is not a Windows program";
    return "osslsigncode says: " + OutputLine(output);
}

void RequireFile(const std::string& path, const char* option) {
    if (!path.empty() && !platform::FileExists(path)) throw Exception("No such file: " + path + " (" + option + ")");
}

}  // namespace

void CheckSigningOptions(const TSigningOptions& options) {
    RequireFile(options.Certificate, "--sign");
    RequireFile(options.PasswordFile, "--sign-password-file");
    if (!platform::RunChildProcess({SignerPath(), "--version"})) throw Exception(kNotInstalled);
}

std::string SignProgram(const TSigningOptions& options, const std::string& program, TStagingFiles& staging) {
    const std::string signedCopy = staging.NewName();
    // The password travels in its file, never on a command line that others may read.
    std::vector<std::string> command{SignerPath(), "sign", "-pkcs12", options.Certificate, "-h", "sha256"};
    if (!options.PasswordFile.empty()) command.insert(command.end(), {"-readpass", options.PasswordFile});
    if (!options.TimestampUrl.empty()) command.insert(command.end(), {"-ts", options.TimestampUrl});
    command.insert(command.end(), {"-in", program, "-out", signedCopy});
    const std::optional<platform::TChildResult> run = platform::RunChildProcess(command);
    if (!run) throw Exception(kNotInstalled);
    if (run->ExitCode != 0 || !platform::FileExists(signedCopy))
        throw Exception("Cannot sign " + program + ": " + FailureReason(options, run->Output));
    return signedCopy;
}
