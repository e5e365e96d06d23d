#pragma once

#include <QString>
#include <cstdint>

class QComboBox;

namespace settings {

enum class CompressorCategory { Video, Audio };

// Fills `list` with the synthetic "uncompressed" entry followed by the friendly
// name of every installed compressor of the category, and selects position 0.
// Returns 0, or a negative code after its message when the walk failed.
std::int32_t FillCompressorList(CompressorCategory category, QComboBox& list);

// The entry number of the first compressor whose lower-cased name contains the
// program's default name, or of the first installed fallback encoder.
bool FindDefaultCompressor(CompressorCategory category, std::int32_t& entry);

// What the compressor list calls the encoder `elementName` (its friendly
// name), or its uncompressed entry for an empty name.
QString CompressorDisplayName(CompressorCategory category, const QString& elementName);

// Empties the category's process-wide filter slot, then binds entry `entry`
// into it. An entry that names no compressor leaves the slot empty.
void BindCompressor(CompressorCategory category, std::int32_t entry);

// Releases and clears the category's filter slot.
void ReleaseCompressor(CompressorCategory category);
// The same for both slots.
void ReleaseCompressors();

// Whether the category's slot holds a bound filter.
bool CompressorBound(CompressorCategory category);

} // namespace settings
