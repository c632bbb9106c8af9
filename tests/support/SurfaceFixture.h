#pragma once

#include "gdi/Gdi.h"
#include "platform/ByteArray2D.h"
#include "platform/MessageBoxService.h"
#include "support/DeviceContext.h"
#include "support/RecordingMessageBox.h"
#include "surface/TempBitmapFile.h"
#include "surface/clsOffScreenDC.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillax {

// Every surface test gets its own temporary folder for the reload file and records error boxes.
class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { SetReloadFolderBase(Folder.path().toStdString()); }
    void TearDown() override { SetReloadFolderBase(""); }

    // The location line of every error box shown, in order.
    std::vector<std::string> Locations() const {
        std::vector<std::string> locations;
        for (const auto& record : Box.Records) {
            const auto start = record.Prompt.find("Location: ") + 10;
            locations.push_back(record.Prompt.substr(start, record.Prompt.find('\r', start) - start));
        }
        return locations;
    }
    std::string Titles() const {
        std::string titles;
        for (const auto& record : Box.Records) {
            titles += record.Title + ";";
        }
        return titles;
    }

    // The image as displayed, top line first.
    static QImage Displayed(clsOffScreenDC& surface) {
        DeviceContext target(surface.GetWidth(), surface.GetHeight());
        surface.DisplayToDC(target.Dc());
        return target.Image();
    }

    // Paints pixel (c, y) (y counted from the bottom) with blue c, green y and red 100 + seed.
    static void Paint(clsOffScreenDC& surface, int seed = 0) {
        ByteArray2D pixels;
        surface.GetByteArray(pixels);
        for (int32_t y = 0; y <= pixels.UBound(2); ++y) {
            for (int32_t x = 0; x <= pixels.UBound(1); x += 3) {
                pixels(x, y) = static_cast<uint8_t>(x / 3);
                pixels(x + 1, y) = static_cast<uint8_t>(y);
                pixels(x + 2, y) = static_cast<uint8_t>(100 + seed);
            }
        }
        surface.SetByteArray(pixels);
    }
    static QRgb Painted(int column, int fromBottom, int seed = 0) {
        return qRgb(100 + seed, fromBottom, column);
    }

    QTemporaryDir Folder;
    RecordingMessageBox Box;
};

} // namespace quillax
