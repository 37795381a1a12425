// The cipher of the monitor-vendor data file: DES in ECB mode whose key
// schedule reads each key byte least significant bit first (the same as
// standard DES with every key byte's bit order reversed), a key built from a
// pass phrase, and a length-framed plain text.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace ql {

// One 8-byte block with the LSB-first key schedule; `decipher` picks the
// direction. Both directions are here so the block routine can be checked
// against published vectors either way.
void DesBlockLsbFirstKey(const uint8_t key[8], const uint8_t in[8], uint8_t out[8], bool decipher);

// The key of a pass phrase: 8 zero bytes with the phrase's bytes XORed in
// cyclically (byte i into key byte i mod 8).
void DesKeyFromPassPhrase(std::string_view passPhrase, uint8_t key[8]);

// Deciphers every block, then unframes: a 32-bit little-endian length n and
// n bytes of text. Anything that does not frame (length not a positive
// multiple of 8, n = 0, n beyond the data, more than 7 bytes of padding)
// gives the empty result.
std::vector<uint8_t> DecipherData(std::span<const uint8_t> cipher, std::string_view passPhrase);

}  // namespace ql
