#include "outlook_template.h"

#include "compound_storage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;
using msgfile::Bytes;
using msgfile::FormatError;
using msgfile::Template;

namespace {

const msgfile::Clsid kTemplateClsid = {0x46, 0xF0, 0x06, 0x00, 0x00, 0x00, 0x00, 0x00,
                                       0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

class OutlookTemplate : public testing::Test {
protected:
    void SetUp() override {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::path(testing::TempDir()) / (std::string("msgfile_") + test->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    std::string readError(const std::string& file) const {
        try {
            msgfile::readTemplate(file);
        } catch (const FormatError& error) {
            return error.what();
        }
        return "no error";
    }

    // A template-like file whose parts the caller chooses.
    std::string writeCompound(const msgfile::Clsid& clsid, bool withSubject, const Bytes& subject) const {
        msgfile::CompoundStorageWriter writer;
        writer.setRootClsid(clsid);
        writer.addStream("__properties_version1.0", Bytes(32, 0));
        writer.addStream("__substg1.0_001A001F", {'I', 0, 'P', 0, 'M', 0});
        if (withSubject) writer.addStream("__substg1.0_0037001F", subject);
        const Bytes bytes = writer.serialize();
        const std::string file = path("crafted.oft");
        std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    fs::path folder_;
};

}  // namespace

TEST_F(OutlookTemplate, RoundTripsSubjectAndMessageClass) {
    const std::vector<Template> samples = {
        {"Quorvel_Settings1_", "IPM.Appointment"},
        {u8"Réunion 日本 \U0001F389 ok", "IPM.Note"},
        {"", "IPM.Appointment"},
        {std::string(3000, 'x'), "IPM.Appointment"},  // 6000 bytes: stored outside the mini stream
    };
    for (const Template& sample : samples) {
        msgfile::writeTemplate(path("t.oft"), sample);
        const Template read = msgfile::readTemplate(path("t.oft"));
        EXPECT_EQ(read.subject, sample.subject);
        EXPECT_EQ(read.messageClass, sample.messageClass);
    }
    EXPECT_FALSE(fs::exists(path("t.oft.partial")));
}

TEST_F(OutlookTemplate, RejectsBadInputWithoutTouchingTheFile) {
    msgfile::writeTemplate(path("t.oft"), {"kept", "IPM.Note"});
    const char* badUtf8[] = {"\xC3\x28", "\xC0\xAF", "\xED\xA0\x80", "\xE2\x82", "\xF4\x90\x80\x80", "\x80"};
    for (const char* text : badUtf8) {
        EXPECT_THROW(msgfile::writeTemplate(path("t.oft"), {text, "IPM.Note"}), std::invalid_argument) << text;
    }
    EXPECT_THROW(msgfile::writeTemplate(path("t.oft"), {std::string("a\0b", 3), "IPM.Note"}), std::invalid_argument);
    EXPECT_THROW(msgfile::writeTemplate(path("t.oft"), {"subject", ""}), std::invalid_argument);
    EXPECT_EQ(msgfile::readTemplate(path("t.oft")).subject, "kept");

    EXPECT_THROW(msgfile::writeTemplate(path("absent/t.oft"), {"s", "IPM.Note"}), std::runtime_error);
    EXPECT_FALSE(fs::exists(path("absent")));
}

TEST_F(OutlookTemplate, ReadingReportsWhatIsWrong) {
    const std::string missing = path("missing.oft");
    EXPECT_EQ(readError(missing), "cannot open template file: " + missing);

    std::ofstream(path("text.oft")) << "just some text";
    EXPECT_EQ(readError(path("text.oft")), "not a compound file: " + path("text.oft"));

    const Bytes subject = {'H', 0, 'i', 0};
    EXPECT_EQ(readError(writeCompound({}, true, subject)), "not an Outlook template: " + path("crafted.oft"));
    EXPECT_EQ(readError(writeCompound(kTemplateClsid, false, subject)),
              "missing stream: __substg1.0_0037001F: " + path("crafted.oft"));
    EXPECT_EQ(readError(writeCompound(kTemplateClsid, true, {0x00, 0xD8})),
              "unpaired surrogate in UTF-16 text: " + path("crafted.oft"));
    EXPECT_EQ(readError(writeCompound(kTemplateClsid, true, {'H', 0, 'i'})),
              "string stream of odd length: " + path("crafted.oft"));
    EXPECT_EQ(msgfile::readTemplate(writeCompound(kTemplateClsid, true, {'H', 0, 'i', 0, 0, 0})).subject, "Hi");
}
