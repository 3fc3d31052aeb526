#pragma once
// The bytes of one fuzz input, taken from the front piece by piece. Past the
// end every piece is empty and every number 0, so a target never has to ask
// how much is left before it takes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace TerrionFuzz
{

class CFuzzInput
{
public:
    CFuzzInput(const std::uint8_t* data, std::size_t size) : m_bytes(data, size) {}
    explicit CFuzzInput(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    std::size_t Left() const { return m_bytes.size(); }
    bool Empty() const { return m_bytes.empty(); }

    std::uint8_t Byte()
    {
        if (m_bytes.empty())
            return 0;
        const std::uint8_t byte = m_bytes.front();
        m_bytes = m_bytes.subspan(1);
        return byte;
    }
    /// Little-endian.
    std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
    std::uint32_t Dword() { return Word() | static_cast<std::uint32_t>(Word()) << 16; }

    /// Up to length bytes.
    std::span<const std::uint8_t> Take(std::size_t length)
    {
        const std::span<const std::uint8_t> piece =
            m_bytes.first(length < m_bytes.size() ? length : m_bytes.size());
        m_bytes = m_bytes.subspan(piece.size());
        return piece;
    }
    /// A piece whose length (0..255) comes first.
    std::span<const std::uint8_t> Counted() { return Take(Byte()); }
    /// Counted() as 8-bit text.
    std::string Text()
    {
        const auto piece = Counted();
        return {reinterpret_cast<const char*>(piece.data()), piece.size()};
    }
    /// Counted() with each byte as one character.
    std::wstring WideText()
    {
        const auto piece = Counted();
        return {piece.begin(), piece.end()};
    }
    /// Everything left.
    std::span<const std::uint8_t> Rest() { return Take(m_bytes.size()); }

    static std::string_view AsText(std::span<const std::uint8_t> bytes)
    {
        return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
    }

private:
    std::span<const std::uint8_t> m_bytes;
};

} // namespace TerrionFuzz
