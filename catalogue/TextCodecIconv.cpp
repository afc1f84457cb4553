#include "catalogue/TextCodec.h"

#include <algorithm>
#include <iconv.h>

namespace quorvane {

// Decodes one item's bytes into UTF-8 with the system's converter; most
// items are plain ASCII and skip it.
struct TextDecoder::State {
    explicit State(bool utf8) : m_cd(iconv_open("UTF-8", utf8 ? "UTF-8" : "CP932")) {}
    ~State() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    State(const State&) = delete;
    State& operator=(const State&) = delete;

    bool decode(std::string_view in, std::string& out) {
        if (std::all_of(in.begin(), in.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            out.assign(in);
            return true;
        }
        if (m_cd == reinterpret_cast<iconv_t>(-1)) return false;
        // No code page 932 character needs more than three UTF-8 bytes. The
        // scratch buffer is reused, so each text gets only what it needs.
        m_buffer.resize(std::max(m_buffer.size(), in.size() * 3 + 4));
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outPtr = m_buffer.data();
        std::size_t outLeft = m_buffer.size();
        // Both encodings are stateless: only a failed text can leave the
        // converter inside a character, so only then is it reset.
        const std::size_t rc = iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft);
        if (rc == static_cast<std::size_t>(-1) || inLeft != 0) {
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            return false;
        }
        out.assign(m_buffer.data(), outPtr);
        return true;
    }

    iconv_t m_cd;
    std::string m_buffer;
};

TextDecoder::TextDecoder(TextEncoding encoding)
    : m_state(std::make_unique<State>(encoding == TextEncoding::Utf8)) {}
TextDecoder::~TextDecoder() = default;

bool TextDecoder::decode(std::string_view in, std::string& out) { return m_state->decode(in, out); }

}  // namespace quorvane
