#pragma once

#include <string>

// The built-in pictures and music are stored scrambled inside the executable. To use one, the
// program writes it to a short-lived file in the data directory, unscrambles that into a plain
// file (".bmp", or ".wav" for the music), lets the loader read it, and deletes both files.

namespace veltamar {

// d + b + ".ad": the stored bytes as they are.
std::string rawFileName(const std::string& directory, const std::string& baseName);
// d + b + ".bmp", or d + b + ".wav" when the base name is exactly "Music".
std::string plainFileName(const std::string& directory, const std::string& baseName);

// Writes "RCAD" resource id under the base name and unscrambles it. Returns 1 when the plain file
// was made; 0 when there is no such resource (no file is touched) or the files could not be
// written (then the problem is reported on standard error and the asset is skipped).
int extractResource(int id, const std::string& directory, const std::string& baseName);

// Turns the raw file into the plain file: each byte at 1-based position p gets key[p mod 50] added.
// Returns false, with a line on standard error, when either file cannot be opened.
bool descrambleFile(const std::string& directory, const std::string& baseName);

// Removes a file; whether that worked is not examined.
void deleteFile(const std::string& fullName);

// Removes both files of an extraction of a picture (".ad" and ".bmp") or of the music (".ad" and
// ".wav").
void deleteExtractedFiles(const std::string& directory, const std::string& baseName);

}  // namespace veltamar
