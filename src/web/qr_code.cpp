#include "web/qr_code.h"

#include <qrcodegen.hpp>

#include <stdexcept>

namespace web {

QrModules qrCodeOf(const std::string& text) {
    try {
        const auto qr = qrcodegen::QrCode::encodeText(text.c_str(), qrcodegen::QrCode::Ecc::MEDIUM);
        QrModules modules;
        modules.size = qr.getSize();
        modules.dark.resize(static_cast<std::size_t>(modules.size * modules.size));
        for (int y = 0; y < modules.size; ++y)
            for (int x = 0; x < modules.size; ++x)
                modules.dark[static_cast<std::size_t>(y * modules.size + x)] = qr.getModule(x, y);
        return modules;
    } catch (const qrcodegen::data_too_long&) {
        return {};
    }
}

}  // namespace web
