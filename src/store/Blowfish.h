#pragma once

// The Blowfish block cipher (64-bit blocks, keys of 1 to 56 bytes) and the
// 8-bit cipher-feedback mode that seals the precinct data files.
//
// Both classes wipe their key-dependent state when they are destroyed, so a
// sealing operation leaves no key schedule in memory however it ends.

#include <QByteArray>
#include <QtGlobal>

#include <array>

namespace urn {

inline constexpr const char* kMsgBlowfishKeyLength =
    "Blowfish: Key must be between 1 and 56 bytes long";

class TBlowfish {
public:
    static constexpr int kMinKeyBytes = 1;
    static constexpr int kMaxKeyBytes = 56;

    // Expands the key; a key outside 1..56 bytes raises UrnariumError with
    // kMsgBlowfishKeyLength.
    explicit TBlowfish(const QByteArray& key);
    ~TBlowfish();
    TBlowfish(const TBlowfish&) = delete;
    TBlowfish& operator=(const TBlowfish&) = delete;

    // One block as two 32-bit halves.
    void encrypt(quint32& left, quint32& right) const;
    void decrypt(quint32& left, quint32& right) const;
    // One 8-byte block in place; each half is read and written big-endian.
    void encryptBlock(unsigned char* block) const;
    void decryptBlock(unsigned char* block) const;

    // Fills the key schedule with zero bytes. Done by the destructor.
    void wipe();

private:
    quint32 f(quint32 x) const {
        const quint32 a = m_s[0][x >> 24];
        const quint32 b = m_s[1][(x >> 16) & 0xFF];
        const quint32 c = m_s[2][(x >> 8) & 0xFF];
        const quint32 d = m_s[3][x & 0xFF];
        return ((a + b) ^ c) + d;
    }

    std::array<quint32, 18> m_p;
    std::array<std::array<quint32, 256>, 4> m_s;
};

// CFB-8 over Blowfish: each byte is combined with the first byte of the
// encrypted 8-byte shift register, and the cipher byte is shifted in at the
// register's end. The register starts as eight zero bytes and runs on over
// every byte passed through the same object.
class TBlowfishCfb8 {
public:
    explicit TBlowfishCfb8(const QByteArray& key);
    ~TBlowfishCfb8();
    TBlowfishCfb8(const TBlowfishCfb8&) = delete;
    TBlowfishCfb8& operator=(const TBlowfishCfb8&) = delete;

    unsigned char encryptByte(unsigned char plain);
    unsigned char decryptByte(unsigned char cipher);
    void encrypt(unsigned char* data, qsizetype length);
    void decrypt(unsigned char* data, qsizetype length);

private:
    unsigned char keyStreamByte() const;
    void shiftIn(unsigned char cipher) { m_register = m_register << 8 | cipher; }

    TBlowfish m_cipher;
    // The shift register as one big-endian number: its first byte is the
    // top byte. Kept in a register rather than an array because every byte
    // passed through shifts it.
    quint64 m_register = 0;
};

// Overwrites memory so that the compiler cannot drop the write as dead.
void wipeMemory(void* data, size_t length);

} // namespace urn
