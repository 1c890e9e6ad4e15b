// Persistence: IPersistStream at the stream's position, and compound files with the stream
// "Tavrel", written whole, exclusively and without harming the old file on failure.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>

#include "components/dictionary/tests/dictionary_test_support.h"
#include "platform/storage/compound_file.h"
#include "platform/storage/memory_stream.h"
#include "tests/support/counted_object.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace dictionarytest;

class DictionaryFile : public ::testing::Test {
protected:
    // The bytes of the stream "Tavrel", as another reader of compound files sees them.
    std::vector<std::byte> stream() {
        std::vector<std::byte> bytes;
        EXPECT_EQ(S_OK, storage::ReadStreamOfFile(path_, "Tavrel", bytes));
        return bytes;
    }

    testsupport::TempDir dir_;
    std::string path_ = (dir_ / "dict.stg").string();
    Bstr name_{std::u16string(path_.begin(), path_.end())};
};

TEST_F(DictionaryFile, RoundTripThroughAFile) {
    auto d = NewDictionary();
    ASSERT_EQ(S_OK, d->MarshallDictionaryToStream(name_.get()));
    EXPECT_EQ(std::vector<std::byte>(4, std::byte{0}), stream());

    AddItem(d.get(), u"k", Variant::fromInt(1));
    AddItem(d.get(), nullptr, Str(u"v"));
    AddItem(d.get(), u"K", Variant::null());
    ASSERT_EQ(S_OK, d->MarshallDictionaryToStream(name_.get()));
    auto back = NewDictionary();
    ASSERT_EQ(S_OK, back->UnmarshallDictionaryFromStream(name_.get()));
    EXPECT_EQ(Marshalled(d.get()), Marshalled(back.get()));
}

TEST_F(DictionaryFile, FilesThatCannotBeReadLeaveTheDictionaryAlone) {
    std::ofstream(path_) << "plain text";
    ASSERT_EQ(S_OK, storage::WriteSingleStreamFile((dir_ / "other.stg").string(), "Other", {}));
    auto d = NewDictionary();
    AddItem(d.get(), u"kept", Variant());
    const std::pair<std::string, HRESULT> cases[] = {{path_, STG_E_FILEALREADYEXISTS},
                                                     {(dir_ / "missing").string(), STG_E_FILENOTFOUND},
                                                     {(dir_ / "no folder" / "dict.stg").string(), STG_E_PATHNOTFOUND},
                                                     {(dir_ / "other.stg").string(), STG_E_FILENOTFOUND}};
    for (const auto& [file, expected] : cases) {
        Bstr name(std::u16string(file.begin(), file.end()));
        EXPECT_EQ(expected, d->UnmarshallDictionaryFromStream(name.get())) << file;
        EXPECT_EQ(1, Count(d.get()));
    }
}

TEST_F(DictionaryFile, TheStreamIsFoundWhateverTheCaseOfItsName) {
    ASSERT_EQ(S_OK, storage::WriteSingleStreamFile(path_, "TAVREL", std::vector<std::byte>(4, std::byte{0})));
    auto d = NewDictionary();
    AddItem(d.get(), u"replaced", Variant());
    EXPECT_EQ(S_OK, d->UnmarshallDictionaryFromStream(name_.get()));
    EXPECT_EQ(0, Count(d.get()));
}

TEST_F(DictionaryFile, OpenFileIsExclusiveAndAFailedSaveKeepsTheOldFile) {
    auto d = NewDictionary();
    AddItem(d.get(), u"first", Variant());
    ASSERT_EQ(S_OK, d->MarshallDictionaryToStream(name_.get()));
    const auto before = stream();
    {
        const int held = ::open(path_.c_str(), O_RDONLY);
        ASSERT_EQ(0, ::flock(held, LOCK_EX));
        EXPECT_EQ(STG_E_SHAREVIOLATION, d->MarshallDictionaryToStream(name_.get()));
        EXPECT_EQ(STG_E_SHAREVIOLATION, d->UnmarshallDictionaryFromStream(name_.get()));
        ::close(held);
    }
    testsupport::CountedObject notPersistable;
    AddItem(d.get(), u"object", Variant::fromDispatch(&notPersistable));
    EXPECT_EQ(E_NOINTERFACE, d->MarshallDictionaryToStream(name_.get()));
    EXPECT_EQ(before, stream());
    EXPECT_EQ(1u, std::distance(std::filesystem::directory_iterator(dir_.path()), {}));  // no temporary left
}

TEST(DictionaryPersistStream, SavesAndLoadsAtTheStreamPosition) {
    auto d = NewDictionary();
    AddItem(d.get(), u"a", Variant::fromInt(1));
    ComPtr<IPersistStream> persist;
    ASSERT_EQ(S_OK, d.queryInterface(IID_IPersistStream, persist));
    CLSID clsid{};
    EXPECT_EQ(S_OK, persist->GetClassID(&clsid));
    EXPECT_EQ(CLSID_Dictionary, clsid);

    const std::byte prefix[3]{};
    ComPtr<IStream> stream = storage::NewMemoryStream(prefix);
    stream->Seek(LARGE_INTEGER{3}, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(S_OK, persist->Save(stream.get(), 1));
    EXPECT_EQ(S_OK, persist->IsDirty());
    ULARGE_INTEGER end{};
    stream->Seek(LARGE_INTEGER{0}, STREAM_SEEK_CUR, &end);
    EXPECT_EQ(3u + 18u, end.QuadPart);  // the data ends at the position; the memory reaches further
    ULONGLONG size = 0;
    ASSERT_EQ(S_OK, storage::MemoryStreamSize(stream.get(), &size));
    EXPECT_GE(size, 100000u);

    auto back = NewDictionary();
    ComPtr<IPersistStream> loader;
    ASSERT_EQ(S_OK, back.queryInterface(IID_IPersistStream, loader));
    stream->Seek(LARGE_INTEGER{3}, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(S_OK, loader->Load(stream.get()));
    EXPECT_EQ(Marshalled(d.get()), Marshalled(back.get()));
}

}  // namespace
