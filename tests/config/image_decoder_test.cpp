#include "config/image_decoder.h"

#include <gtest/gtest.h>

#include "settings_support.h"

namespace zelvar {
namespace {

// Over generated records: a build is a fixed point of its own write-backs, and the decoder reads
// the image back into settings that are already normalised and build the very same image.
TEST(ImageDecoder, ReadsBackWhatTheBuildWrote) {
    testing_support::RecordGenerator generator(13);
    int built = 0;
    for (int round = 0; round < 2000; ++round) {
        DeviceSettings settings = generator.next();
        ConfigImage image{};
        if (!buildConfigImage(settings, image))
            continue;
        ++built;
        for (DeviceSettings again : {settings, decodeImage(image).settings}) {
            const DeviceSettings before = again;
            ConfigImage second{};
            const BuildResult result = buildConfigImage(again, second);
            ASSERT_TRUE(result) << reasonOf(result);
            ASSERT_EQ(second, image) << "call '" << settings.myCall << "' path '"
                                     << settings.aprsPath << "' to '" << settings.destCall << "'";
            ASSERT_TRUE(testing_support::sameFields(again, before));
        }
        ASSERT_EQ(decodeImage(image).gpsless, image[image_offset::kGpsAcqTime] == 0);
        ASSERT_EQ(decodeImage(image).txDelayFlags, image[image_offset::kTxDelay]);
    }
    EXPECT_GT(built, 1000);
}

TEST(ImageDecoder, CountsTheSpareBytesInUse) {
    ConfigImage image{};
    image[image_offset::kSpare] = 1;
    image[kImageSize - 1] = 0xFF;
    EXPECT_EQ(decodeImage(image).spareNonZero, 2);
}

}  // namespace
}  // namespace zelvar
