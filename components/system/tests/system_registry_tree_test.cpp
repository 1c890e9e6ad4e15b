// Registry trees read into and written from dictionaries. "Tavrel.Dictionary" comes from its
// own component; here a small stand-in with the members the trees use (Add, Count, Name, Item
// by position, type name IDictionary) serves under its ProgID.
#include <gtest/gtest.h>

#include "components/system/system.h"
#include "components/system/tests/system_test_support.h"
#include "platform/automation/arrays.h"
#include "platform/automation/client.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/typename.h"
#include "platform/com/creation.h"
#include "platform/registry/store.h"

using namespace systemtest;

namespace {

using automation::Arguments;
using automation::Param;

class TreeStandIn final : public automation::DispatchObject<TreeStandIn> {
public:
    static const automation::DispatchTable& dispatchTable() {
        using B = automation::DispatchTable::Builder<TreeStandIn>;
        static const automation::DispatchTable table =
            B(u"IDictionary", IID{0x5C1D6D12, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}})
                .method(u"Add", 1, {Param(u"Key", VT_BSTR), Param(u"Value")},
                        [](TreeStandIn& t, Arguments& a) { t.items_.emplace_back(BstrView(a[0].bstrVal), a[1]); })
                .method(u"Name", 5, {Param(u"Index", VT_I4)},
                        [](TreeStandIn& t, Arguments& a) { return Variant::fromString(t.at(a[0]).first); })
                .get(u"Count", 6, {}, [](TreeStandIn& t, Arguments&) { return Variant::fromLong(LONG(t.items_.size())); })
                .get(u"Item", 0, {Param(u"Index", VT_I4)}, [](TreeStandIn& t, Arguments& a) { return t.at(a[0]).second; })
                .build();
        return table;
    }
    const std::pair<std::u16string, Variant>& at(const Variant& index) const { return items_.at(size_t(index.lVal - 1)); }

private:
    std::vector<std::pair<std::u16string, Variant>> items_;
};

void RegisterStandIn() {
    RegisterBuiltinClass(u"Tavrel.Dictionary", CLSID{0x5C1D6D13, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}},
                         [](REFIID riid, void** ppv) { return TreeStandIn::create()->QueryInterface(riid, ppv); });
}

// name=value per item, subtrees in braces.
std::u16string Describe(const VARIANT& tree) {
    if (tree.vt != VT_DISPATCH || !tree.pdispVal) return u"Nothing";
    std::u16string text;
    LONG count = automation::Get(tree.pdispVal, u"Count").lVal;
    for (LONG i = 1; i <= count; ++i) {
        Variant index = Variant::fromLong(i);
        Variant item = automation::Get(tree.pdispVal, u"Item", automation::Args({&index, 1}));
        text += std::u16string(BstrView(automation::Call(tree.pdispVal, u"Name", automation::Args({&index, 1})).bstrVal)) + u"=";
        text += item.vt == VT_DISPATCH ? u"{" + Describe(item) + u"}" : automation::TypeName(item);
        text += u";";
    }
    return text;
}

class RegistryTrees : public ::testing::Test {
protected:
    RegistryTrees() { RegisterStandIn(); }
    RegisteredModules modules_{QUILLON_PATH};
    System system_;
    const std::u16string root_ = u"HKCU\\Software\\Trees";
};

TEST_F(RegistryTrees, ReadGivesSubkeysThenValuesAndStopsAtAnOversizedValue) {
    system_.RegWrite(root_ + u"\\B\\y", Variant::fromLong(1));
    system_.RegWrite(root_ + u"\\A\\", Variant::fromString(u"default of A"));
    system_.RegWrite(root_ + u"\\x", Variant::fromString(u"x"));
    system_.RegWrite(root_ + u"\\", Variant::fromString(u"default"));
    EXPECT_EQ(Describe(system_.RegReadTree(root_)), u"A={=String;};B={y=Long;};x=String;=String;");
    EXPECT_EQ(Describe(system_.RegReadTree(root_ + u"\\")), Describe(system_.RegReadTree(root_)));

    system_.RegWrite(root_ + u"\\big", automation::ByteArray(std::string(3000, 'b')));
    system_.RegWrite(root_ + u"\\after", Variant::fromLong(2));
    EXPECT_EQ(Describe(system_.RegReadTree(root_)), u"A={=String;};B={y=Long;};x=String;=String;");
    EXPECT_EQ(Describe(system_.RegReadTree(u"HKCU\\Software\\Missing")), u"Nothing");
}

TEST_F(RegistryTrees, WriteCopiesATreeAndReportsTheLastItem) {
    system_.RegWrite(root_ + u"\\S\\v", Variant::fromInt(7));
    system_.RegWrite(root_ + u"\\w", automation::ByteArray("\x01"));
    Variant tree = system_.RegReadTree(root_);
    EXPECT_EQ(system_.RegWriteTree(tree, u"HKCU\\Software\\Copy").boolVal, VARIANT_TRUE);
    EXPECT_EQ(Describe(system_.RegReadTree(u"HKCU\\Software\\Copy")), u"S={v=Long;};w=Byte();");
    EXPECT_EQ(system_.RegWriteTree(tree, u"HKXX\\Software\\Copy").boolVal, VARIANT_FALSE);
    ComPtr<IDispatch> empty = com::CreateObject(u"Tavrel.Dictionary");
    EXPECT_EQ(system_.RegWriteTree(Variant::fromDispatch(empty.get()), u"HKXX\\Nowhere").boolVal, VARIANT_TRUE);
    EXPECT_EQ(system_.RegWriteTree(Variant(), root_).boolVal, VARIANT_FALSE);
}

TEST_F(RegistryTrees, WriteOfATreeThatHoldsItselfFails) {
    int status = RunInChild([&] {
        ComPtr<IDispatch> tree = com::CreateObject(u"Tavrel.Dictionary");
        Variant add[][2] = {{Variant::fromString(u"v"), Variant::fromLong(1)},
                            {Variant::fromString(u"self"), Variant::fromDispatch(tree.get())}};
        for (auto& arguments : add) automation::Call(tree.get(), u"Add", automation::Args(arguments));
        bool failed = system_.RegWriteTree(Variant::fromDispatch(tree.get()), root_).boolVal == VARIANT_FALSE;
        return failed ? 0 : 1;
    });
    EXPECT_EQ(status, 0) << "1: not refused; negative: the signal that ended the writer";
}

// "A\A\...": a chain of keys, each holding one value.
void WriteChain(System& system, const std::u16string& root, int levels) {
    std::u16string key = root;
    for (int i = 0; i < levels; ++i) ASSERT_EQ(system.RegWrite((key += u"\\A") + u"\\v", Variant::fromLong(i)).boolVal, VARIANT_TRUE);
}

uint64_t StepsToRead(System& system, const std::u16string& key) {
    uint64_t before = tavrel::registry::StatementSteps();
    EXPECT_NE(Describe(system.RegReadTree(key)), u"Nothing");
    return tavrel::registry::StatementSteps() - before;
}

TEST_F(RegistryTrees, ReadingADeeperTreeCostsInProportionToItsSize) {
    WriteChain(system_, root_ + u"\\Short", 100);
    WriteChain(system_, root_ + u"\\Long", 200);
    uint64_t shortSteps = StepsToRead(system_, root_ + u"\\Short");
    uint64_t longSteps = StepsToRead(system_, root_ + u"\\Long");
    // Twice the keys: twice the work when each level costs the same, about four times when
    // every level is looked up again from the root.
    EXPECT_LT(double(longSteps), 2.5 * double(shortSteps)) << shortSteps << " then " << longSteps;
}

// The data of a value read by RegReadTree may take 2000 bytes in the ANSI code page.
TEST_F(RegistryTrees, ReadCountsTextInBytesOfTheAnsiCodePage) {
    AnsiCodePage utf8("65001");
    const std::pair<size_t, const char16_t*> cases[] = {
        {999, u"text=String;after=Long;"},  // 1998 bytes and the NUL
        {1000, u""},                          // 2000 bytes and the NUL
    };
    for (const auto& [count, expected] : cases) {
        system_.RegDeleteTree(root_);
        system_.RegWrite(root_ + u"\\text", Variant::fromString(std::u16string(count, u'\u00E9')));
        system_.RegWrite(root_ + u"\\after", Variant::fromLong(1));
        EXPECT_EQ(Describe(system_.RegReadTree(root_)), expected) << count;
    }
}

}  // namespace
