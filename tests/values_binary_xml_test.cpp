// Binary xml: hand-built documents by the format's token layout, and
// hostile input that must end cleanly.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "values/BinaryXml.h"

namespace pw {
namespace {

using ByteVector = std::vector<uint8_t>;

// Writes binary xml tokens.
class DocumentBuilder {
public:
    DocumentBuilder() { bytes_ = {0xDF, 0xFF, 0x01, 0xB0, 0x04}; }

    DocumentBuilder& name(const std::string& text) { return raw({0xF0}).text(text); }
    DocumentBuilder& qname(uint8_t ns, uint8_t prefix, uint8_t local) { return raw({0xEF, ns, prefix, local}); }
    DocumentBuilder& element(uint8_t qname) { return raw({0xF8, qname}); }
    DocumentBuilder& attribute(uint8_t qname) { return raw({0xF6, qname}); }
    DocumentBuilder& endAttributes() { return raw({0xF5}); }
    DocumentBuilder& endElement() { return raw({0xF7}); }
    DocumentBuilder& string(const std::string& text) { return raw({0x11}).text(text); }
    DocumentBuilder& comment(const std::string& text) { return raw({0xF3}).text(text); }
    DocumentBuilder& cdata(const std::string& text) { return raw({0xF2}).text(text).raw({0xF1}); }
    DocumentBuilder& pi(uint8_t target, const std::string& text) { return raw({0xF4, target}).text(text); }
    DocumentBuilder& raw(const ByteVector& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
        return *this;
    }
    // ASCII text as an mb32 count of UTF-16 units.
    DocumentBuilder& text(const std::string& ascii) {
        bytes_.push_back(uint8_t(ascii.size()));
        for (char c : ascii) {
            bytes_.push_back(uint8_t(c));
            bytes_.push_back(0);
        }
        return *this;
    }
    const ByteVector& bytes() const { return bytes_; }

private:
    ByteVector bytes_;
};

std::string convert(const DocumentBuilder& builder) { return convertValueBytes(Bytes(builder.bytes())); }

// <root a="1">hi</root>
DocumentBuilder elementWithAttribute() {
    DocumentBuilder doc;
    doc.name("root").name("a").qname(0, 0, 1).qname(0, 0, 2);
    doc.element(1).attribute(2).string("1").endAttributes().string("hi").endElement();
    return doc;
}

TEST(BinaryXml, ElementWithAttributeAndText) {
    EXPECT_EQ(convert(elementWithAttribute()), "<root a=\"1\">hi</root>");
}

TEST(BinaryXml, NestedElementsAndTypedValues) {
    DocumentBuilder doc;
    doc.name("a").name("b").name("c").qname(0, 0, 1).qname(0, 0, 2).qname(0, 0, 3);
    doc.element(1).element(2).raw({0x02, 0x2A, 0, 0, 0}).endElement();   // sql int 42
    doc.element(3).raw({0x86, 0x01}).endElement();                      // xsd boolean
    doc.element(3).raw({0x0A, 7, 5, 2, 1, 0x2B, 2, 0, 0}).endElement();   // sql decimal 5.55
    doc.element(3).raw({0x7F, 0, 0, 0}).endElement();                   // date 0001-01-01
    doc.element(2).endElement().endElement();
    EXPECT_EQ(convert(doc), "<a><b>42</b><c>true</c><c>5.55</c><c>0001-01-01</c><b /></a>");
}

TEST(BinaryXml, NamespacesDeclaredAndImplied) {
    // <p:root xmlns:p="urn:x"><p:child /></p:root>: the declaration is an
    // attribute whose prefix name is "xmlns:p" and whose local name is empty.
    DocumentBuilder declared;
    declared.name("urn:x").name("p").name("root").name("xmlns:p").name("child");
    declared.qname(1, 2, 3).qname(0, 4, 0).qname(1, 2, 5);
    declared.element(1).attribute(2).string("urn:x").endAttributes();
    declared.element(3).endElement().endElement();
    EXPECT_EQ(convert(declared), "<p:root xmlns:p=\"urn:x\"><p:child /></p:root>");

    // A default namespace without an explicit declaration is declared once.
    DocumentBuilder implied;
    implied.name("urn:d").name("root").name("item").qname(1, 0, 2).qname(1, 0, 3);
    implied.element(1).element(2).endElement().endElement();
    EXPECT_EQ(convert(implied), "<root xmlns=\"urn:d\"><item /></root>");
}

TEST(BinaryXml, EscapingCommentsCdataAndInstructions) {
    DocumentBuilder doc;
    doc.name("r").name("t").name("target").qname(0, 0, 1).qname(0, 0, 2);
    doc.element(1).attribute(2).string("a\"<&").endAttributes();
    doc.string("x<y&z>w").comment(" note ").cdata("a]]>b").pi(3, "go").endElement();
    EXPECT_EQ(convert(doc),
              "<r t=\"a&quot;&lt;&amp;\">x&lt;y&amp;z&gt;w<!-- note --><![CDATA[a]]]]><![CDATA[>b]]>"
              "<?target go?></r>");
}

TEST(BinaryXml, NotBinaryXmlGivesEmptyText) {
    ByteVector text = {'<', 'a', '/', '>'};
    EXPECT_EQ(convertValueBytes(Bytes(text)), "");
    EXPECT_EQ(convertValueBytes(Bytes()), "");
}

TEST(BinaryXml, EveryTruncationEndsCleanly) {
    const ByteVector full = elementWithAttribute().bytes();
    const std::string whole = convertValueBytes(Bytes(full));
    for (size_t length = 0; length < full.size(); ++length) {
        std::string text = convertValueBytes(Bytes(full.data(), length));
        // What is decoded is a prefix-faithful part of the whole text.
        EXPECT_LE(text.size(), whole.size() + 1) << length;
    }
}

TEST(BinaryXml, HostileBytesNeverCrashOrHang) {
    const ByteVector seed = elementWithAttribute().bytes();
    uint32_t state = 12345;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return state >> 16;
    };
    for (int round = 0; round < 3000; ++round) {
        ByteVector bytes = seed;
        int flips = 1 + int(next() % 4);
        for (int i = 0; i < flips; ++i) bytes[5 + next() % (bytes.size() - 5)] = uint8_t(next());
        convertValueBytes(Bytes(bytes));
    }
    // Huge declared lengths and deep nesting.
    ByteVector huge = {0xDF, 0xFF, 0x01, 0xB0, 0x04, 0xF0, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F};
    EXPECT_EQ(convertValueBytes(Bytes(huge)), "");
    DocumentBuilder deep;
    deep.name("d").qname(0, 0, 1);
    for (int i = 0; i < 20000; ++i) deep.element(1);
    EXPECT_EQ(convert(deep).size(), 20000u * 3);  // "<d>" each, never closed
}

TEST(BinaryXml, ValueBlocksAreJoinedAndCleared) {
    const ByteVector full = elementWithAttribute().bytes();
    ValueBlocks blocks;
    blocks.emplace_back(full.begin(), full.begin() + 7);
    blocks.emplace_back();
    blocks.emplace_back(full.begin() + 7, full.end());
    EXPECT_EQ(convertValueBlocks(blocks), "<root a=\"1\">hi</root>");
    EXPECT_TRUE(blocks.empty());
    EXPECT_EQ(convertValueBlocks(blocks), "");
}

}  // namespace
}  // namespace pw

namespace pw {
namespace {

// A date-time value whose day count lies beyond 9999-12-31: the tick
// arithmetic once overflowed on it (found by the fuzzer).
TEST(BinaryXml, OutOfRangeDateTimeValueEndsCleanly) {
    const std::vector<uint8_t> bytes = {
        0xdf, 0xff, 0x01, 0xb0, 0x04, 0x7e, 0x01, 0x00, 0x04, 0x7e, 0x0a, 0x01, 0xdf, 0xff, 0x01, 0xb0, 0x04, 0x04,
        0x04, 0x04, 0x04, 0x00, 0x01, 0x00, 0x00, 0x01, 0x04, 0x04, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x00, 0x0a, 0x00, 0x04, 0x04, 0x04, 0x04, 0x04, 0xff, 0x01, 0xb0, 0x04, 0x01, 0x00, 0x00, 0x01, 0x00, 0x00,
        0x01, 0x00, 0x00};
    std::string text = convertValueBytes(Bytes(bytes.data(), bytes.size()));
    EXPECT_LT(text.size(), 4096u);
}

}  // namespace
}  // namespace pw
