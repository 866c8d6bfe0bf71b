#include "exchange/TextOutput.h"

namespace divelog {

bool TextOutput::flush() {
    if (ok_ && !buffer_.empty())
        ok_ = out_.write({reinterpret_cast<const std::uint8_t*>(buffer_.data()), buffer_.size()});
    buffer_.clear();
    return ok_;
}

}  // namespace divelog
