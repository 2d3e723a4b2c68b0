#pragma once
// Values of the setup description that name a place relative to another
// one: an Addfile entry lies below the working folder and the destination,
// the program folder below the Start menu's Programs folder. A value that
// would reach outside its place is refused, by the wizard at its start and
// by kelpack when it builds the setup; so is a Scope the wizard does not
// know. Portable.
#include <string>

// The reason why key=value reaches outside its place; empty when it stays
// inside or the key names no place. Addfile refuses any ".." step, a drive,
// a stream and a leading separator; Folder refuses a drive, a leading
// separator and ".." steps that climb above the Programs folder.
std::string SetupValueOutsideItsPlace(const std::string& key, const std::string& value);

// The reason why the wizard refuses key=value: a place it reaches outside
// of, or a Scope that names neither "Machine" nor "User". Empty when the
// value is taken.
std::string RefusedSetupValue(const std::string& key, const std::string& value);
