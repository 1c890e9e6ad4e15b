// ComError, result texts, the per-thread error information and EXCEPINFO.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <thread>

#include "platform/automation/error.h"
#include "platform/automation/handles.h"

namespace {

class ErrorTest : public ::testing::Test {
protected:
    void TearDown() override { SetErrorInfo(0, nullptr); }
};

ComPtr<IErrorInfo> makeInfo(const char16_t* source, const char16_t* description) {
    ComPtr<ICreateErrorInfo> create;
    EXPECT_EQ(CreateErrorInfo(create.put()), S_OK);
    create->SetSource(const_cast<LPOLESTR>(source));
    create->SetDescription(const_cast<LPOLESTR>(description));
    ComPtr<IErrorInfo> info;
    EXPECT_EQ(create.queryInterface(IID_IErrorInfo, info), S_OK);
    return info;
}

// ---- texts ------------------------------------------------------------------------------------------

TEST(DescribeHresultTest, RuntimeErrorNumbersHaveTheRuntimeMessages) {
    struct Case {
        LONG number;
        const char16_t* text;
    } cases[] = {
        {5, u"Invalid procedure call or argument"},
        {9, u"Subscript out of range"},
        {13, u"Type mismatch"},
        {53, u"File not found"},
        {75, u"Path/File access error"},
        {91, u"Object variable or With block variable not set"},
        {429, u"ActiveX component can't create object"},
        {450, u"Wrong number of arguments or invalid property assignment"},
        {457, u"This key is already associated with an element of this collection"},
        {5019, u"Expected ']' in regular expression"},
        {5021, u"Invalid range in character set"},
        {1000, u"Application-defined or object-defined error"},
        {32767, u"Application-defined or object-defined error"},
    };
    for (const auto& c : cases) EXPECT_EQ(DescribeHresult(HRESULT_FROM_ERRNUMBER(c.number)), c.text) << c.number;
}

TEST(DescribeHresultTest, SystemResultsHaveTheSystemMessages) {
    EXPECT_EQ(DescribeHresult(REGDB_E_CLASSNOTREG), u"Class not registered");
    EXPECT_EQ(DescribeHresult(CO_E_CLASSSTRING), u"Invalid class string");
    EXPECT_EQ(DescribeHresult(DISP_E_TYPEMISMATCH), u"Type mismatch.");
    EXPECT_EQ(DescribeHresult(DISP_E_BADPARAMCOUNT), u"Invalid number of parameters.");
    EXPECT_EQ(DescribeHresult(E_FAIL), u"Unspecified error");
    EXPECT_EQ(DescribeHresult(E_INVALIDARG), u"The parameter is incorrect.");
    EXPECT_EQ(DescribeHresult(HRESULT_FROM_WIN32(2)), u"The system cannot find the file specified.");
    EXPECT_EQ(DescribeHresult(TYPE_E_ELEMENTNOTFOUND), u"Element not found.");
    EXPECT_EQ(DescribeHresult(hr(0x80041234)), u"Automation error");
}

// ---- ComError -----------------------------------------------------------------------------------------

TEST(ComErrorTest, NumbersTravelAsAutomationResults) {
    EXPECT_EQ(ComError(13, u"", u"").hresult(), hr(0x800A000D));
    EXPECT_EQ(ComError(65535, u"", u"").hresult(), hr(0x800AFFFF));
    EXPECT_EQ(ComError(E_FAIL, u"", u"").hresult(), E_FAIL);
    // Not an error number: raised as error 5, as the runtime does.
    ComError zero(0, u"", u"");
    EXPECT_EQ(zero.number(), 5);
    EXPECT_EQ(ComError(70000, u"", u"").number(), 5);
    // An Automation result given as the number is its error number.
    EXPECT_EQ(ComError(hr(0x800A0035), u"", u"").number(), 53);
}

TEST(ComErrorTest, AnEmptyDescriptionTakesTheStandardText) {
    ComError error(94, u"Tavrel.Strings2->TrimZ", u"");
    EXPECT_EQ(error.description(), u"Invalid use of Null");
    EXPECT_STREQ(error.what(), "Invalid use of Null");
    EXPECT_EQ(ComError(E_POINTER, u"", u"").description(), u"Invalid pointer");
}

TEST(ComErrorTest, WhatIsUtf8) {
    ComError error(1000, u"", u"Gr\u00FC\u00DFe \U0001F600");
    EXPECT_STREQ(error.what(), "Gr\xC3\xBC\xC3\x9F" "e \xF0\x9F\x98\x80");
}

TEST(ComErrorTest, ResultsMapToTheNumbersCallersSee) {
    struct Case {
        HRESULT result;
        LONG number;
    } cases[] = {
        {DISP_E_TYPEMISMATCH, 13},     {DISP_E_OVERFLOW, 6},        {DISP_E_BADPARAMCOUNT, 450},
        {DISP_E_PARAMNOTOPTIONAL, 449}, {DISP_E_MEMBERNOTFOUND, 438}, {DISP_E_UNKNOWNNAME, 438},
        {DISP_E_BADINDEX, 9},           {E_OUTOFMEMORY, 7},           {E_INVALIDARG, 5},
        {DISP_E_DIVBYZERO, 11},         {hr(0x800A0035), 53},         {E_FAIL, E_FAIL},
        {REGDB_E_CLASSNOTREG, REGDB_E_CLASSNOTREG},
    };
    for (const auto& c : cases) EXPECT_EQ(ComError::numberFromHresult(c.result), c.number) << std::hex << c.result;
}

TEST_F(ErrorTest, FromHresultWithoutInformationUsesTheStandardText) {
    ComError mapped = ComError::fromHresult(DISP_E_BADINDEX, u"Caller");
    EXPECT_EQ(mapped.number(), 9);
    EXPECT_EQ(mapped.hresult(), DISP_E_BADINDEX);  // the call's own result travels on
    EXPECT_EQ(mapped.description(), u"Subscript out of range");
    EXPECT_EQ(mapped.source(), u"Caller");
    ComError kept = ComError::fromHresult(REGDB_E_CLASSNOTREG);
    EXPECT_EQ(kept.number(), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(kept.description(), u"Class not registered");
}

TEST_F(ErrorTest, FromHresultTakesTheThreadsErrorInformation) {
    SetErrorInfo(0, makeInfo(u"Tavrel.System->MkDirEx", u"Reason: access denied").get());
    ComError error = ComError::fromHresult(HRESULT_FROM_ERRNUMBER(1000), u"ignored");
    EXPECT_EQ(error.number(), 1000);
    EXPECT_EQ(error.source(), u"Tavrel.System->MkDirEx");
    EXPECT_EQ(error.description(), u"Reason: access denied");
    // It was handed over: the next failure has none.
    EXPECT_EQ(ComError::fromHresult(E_FAIL).description(), u"Unspecified error");
}

// ---- error information ---------------------------------------------------------------------------------

TEST_F(ErrorTest, GetErrorInfoHandsOverAndClears) {
    ComPtr<IErrorInfo> none;
    EXPECT_EQ(GetErrorInfo(0, none.put()), S_FALSE);
    EXPECT_FALSE(none);

    ComPtr<IErrorInfo> info = makeInfo(u"src", u"desc");
    ASSERT_EQ(SetErrorInfo(0, info.get()), S_OK);
    ComPtr<IErrorInfo> taken;
    ASSERT_EQ(GetErrorInfo(0, taken.put()), S_OK);
    EXPECT_EQ(taken.get(), info.get());
    EXPECT_EQ(GetErrorInfo(0, none.put()), S_FALSE);
    // info and taken hold the only references: nothing stays behind in the thread's slot.
    taken.reset();
    info->AddRef();
    EXPECT_EQ(info->Release(), 1u);
}

TEST_F(ErrorTest, SetErrorInfoReplacesAndClears) {
    SetErrorInfo(0, makeInfo(u"a", u"first").get());
    SetErrorInfo(0, makeInfo(u"b", u"second").get());
    ComPtr<IErrorInfo> taken;
    ASSERT_EQ(GetErrorInfo(0, taken.put()), S_OK);
    Bstr text;
    taken->GetDescription(text.put());
    EXPECT_EQ(text.view(), u"second");

    SetErrorInfo(0, makeInfo(u"c", u"third").get());
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(GetErrorInfo(0, taken.put()), S_FALSE);
}

TEST_F(ErrorTest, ReservedArgumentsMustBeZero) {
    ComPtr<IErrorInfo> info;
    EXPECT_EQ(SetErrorInfo(1, nullptr), E_INVALIDARG);
    EXPECT_EQ(GetErrorInfo(1, info.put()), E_INVALIDARG);
    EXPECT_EQ(GetErrorInfo(0, nullptr), E_INVALIDARG);
}

TEST_F(ErrorTest, ErrorInformationBelongsToItsThread) {
    SetErrorInfo(0, makeInfo(u"main", u"main thread").get());
    HRESULT seenOnOtherThread = S_OK;
    std::thread other([&] {
        ComPtr<IErrorInfo> info;
        seenOnOtherThread = GetErrorInfo(0, info.put());
    });
    other.join();
    EXPECT_EQ(seenOnOtherThread, S_FALSE);
    ComPtr<IErrorInfo> mine;
    EXPECT_EQ(GetErrorInfo(0, mine.put()), S_OK);
}

TEST_F(ErrorTest, TheObjectKeepsEveryField) {
    ComPtr<ICreateErrorInfo> create;
    ASSERT_EQ(CreateErrorInfo(create.put()), S_OK);
    const GUID guid{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    create->SetGUID(guid);
    create->SetSource(const_cast<LPOLESTR>(u"S"));
    create->SetDescription(nullptr);
    create->SetHelpFile(const_cast<LPOLESTR>(u"help.chm"));
    create->SetHelpContext(77);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(create.queryInterface(IID_IErrorInfo, info), S_OK);
    GUID read{};
    Bstr source, description, file;
    DWORD context = 0;
    info->GetGUID(&read);
    info->GetSource(source.put());
    info->GetDescription(description.put());
    info->GetHelpFile(file.put());
    info->GetHelpContext(&context);
    EXPECT_EQ(read, guid);
    EXPECT_EQ(source.view(), u"S");
    EXPECT_FALSE(description.isNull());
    EXPECT_EQ(description.length(), 0u);
    EXPECT_EQ(file.view(), u"help.chm");
    EXPECT_EQ(context, 77u);
    ComPtr<IDispatch> notThere;
    EXPECT_EQ(info.queryInterface(IID_IDispatch, notThere), E_NOINTERFACE);
}

TEST_F(ErrorTest, SetErrorInfoFromReturnsTheResultAndSetsTheFields) {
    ComError error(457, u"Tavrel.Dictionary", u"", u"dict.chm", 12);
    EXPECT_EQ(SetErrorInfoFrom(error), hr(0x800A01C9));
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    Bstr text;
    info->GetDescription(text.put());
    EXPECT_EQ(text.view(), u"This key is already associated with an element of this collection");
    info->GetHelpFile(text.put());
    EXPECT_EQ(text.view(), u"dict.chm");
}

TEST_F(ErrorTest, CatchAtBoundaryTurnsEachExceptionIntoAResult) {
    EXPECT_EQ(CatchAtBoundary([] { return S_FALSE; }), S_FALSE);
    EXPECT_EQ(CatchAtBoundary([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
    EXPECT_EQ(CatchAtBoundary([]() -> HRESULT { throw std::runtime_error("lost"); }), E_UNEXPECTED);
    EXPECT_EQ(CatchAtBoundary([]() -> HRESULT { throw ComError(53, u"Test.Source", u"Gone"); }), hr(0x800A0035));
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.put()), S_OK);
    Bstr text;
    info->GetSource(text.put());
    EXPECT_EQ(text.view(), u"Test.Source");
    info->GetDescription(text.put());
    EXPECT_EQ(text.view(), u"Gone");
}

TEST(ComErrorTest, ARaisedAgainErrorNamesItsReasonAndNumber) {
    const ComError reason(53, u"Tavrel.System->ReadFile", u"File not found", u"help.chm", 7);
    EXPECT_EQ(DescriptionWithReason(u"Error reading the file a.txt", reason),
              u"Error reading the file a.txt\r\n\r\nReason: File not found\r\nError: 0x35");
    EXPECT_EQ(DescriptionWithReason(u"", ComError(E_FAIL, u"", u"")),
              u"\r\n\r\nReason: Unspecified error\r\nError: 0x80004005");
    const ComError again = WithDescription(reason, u"Read failed");
    EXPECT_EQ(again.number(), 53);
    EXPECT_EQ(again.source(), u"Tavrel.System->ReadFile");
    EXPECT_EQ(again.description(), u"Read failed");
    EXPECT_EQ(again.helpFile(), u"help.chm");
    EXPECT_EQ(again.helpContext(), 7u);
}

// ---- EXCEPINFO -------------------------------------------------------------------------------------------

TEST(ExcepInfoTest, FillAndReadBackRoundTrip) {
    EXCEPINFO info;
    FillExcepInfo(ComError(1002, u"Tavrel.System->ReadFileToString", u"Reason: empty", u"h.chm", 5), &info);
    EXPECT_EQ(info.scode, hr(0x800A03EA));
    EXPECT_EQ(info.wCode, 0);
    ComError back = ComError::fromExcepInfo(info);
    EXPECT_EQ(back.number(), 1002);
    EXPECT_EQ(back.source(), u"Tavrel.System->ReadFileToString");
    EXPECT_EQ(back.description(), u"Reason: empty");
    EXPECT_EQ(back.helpFile(), u"h.chm");
    EXPECT_EQ(back.helpContext(), 5u);
    // The strings were taken over and freed.
    EXPECT_EQ(info.bstrSource, nullptr);
    EXPECT_EQ(info.bstrDescription, nullptr);
    FillExcepInfo(back, nullptr);  // no EXCEPINFO to fill: nothing happens
}

HRESULT fillLater(EXCEPINFO* info) {
    info->scode = DISP_E_TYPEMISMATCH;
    info->bstrSource = SysAllocString(u"deferred");
    return S_OK;
}

TEST(ExcepInfoTest, DeferredFillInRunsFirst) {
    EXCEPINFO info{};
    info.pfnDeferredFillIn = &fillLater;
    ComError error = ComError::fromExcepInfo(info);
    EXPECT_EQ(error.number(), 13);
    EXPECT_EQ(error.source(), u"deferred");
    EXPECT_EQ(error.description(), u"Type mismatch");
    EXPECT_EQ(error.hresult(), DISP_E_TYPEMISMATCH);  // the method's own result, not 0x800A000D
}

TEST(ExcepInfoTest, AWordCodeIsTheErrorNumber) {
    EXCEPINFO info{};
    info.wCode = 1000;
    EXPECT_EQ(ComError::fromExcepInfo(info).number(), 1000);
}

}  // namespace
