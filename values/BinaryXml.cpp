#include "values/BinaryXml.h"

#include <utility>

#include "values/BinaryXmlCursor.h"
#include "values/BinaryXmlTokens.h"
#include "values/BinaryXmlValues.h"

namespace pw {
namespace {

using namespace binxml;

constexpr size_t kMaxDepth = 100000;      // open elements
constexpr size_t kMaxNesting = 64;        // nested documents
constexpr size_t kBaseOutputCap = size_t(32) << 20;
constexpr size_t kMaxOutputCap = size_t(1) << 30;
constexpr char kXmlNamespace[] = "http://www.w3.org/XML/1998/namespace";

struct QNameEntry {
    uint32_t namespaceUri = 0;
    uint32_t prefix = 0;
    uint32_t localName = 0;
};

// Names and qualified names defined so far; entry 0 of each is empty.
struct NameTables {
    std::vector<std::string> names{std::string()};
    std::vector<QNameEntry> qnames{QNameEntry{}};
};

struct OpenElement {
    std::string name;
    size_t bindingMark = 0;
};

// An attribute with its names resolved when it was read: name tables may
// be flushed between tokens.
enum class AttributeKind { Plain, Declaration, Empty, Invalid };

struct Attribute {
    AttributeKind kind = AttributeKind::Plain;
    std::string prefix;  // for a declaration: the declared prefix
    std::string localName;
    std::string namespaceUri;
    std::string value;
};

void appendEscaped(std::string& out, const std::string& text, bool attribute) {
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '\r': out += "&#xD;"; break;
            case '"':
                if (attribute) out += "&quot;"; else out.push_back(c);
                break;
            case '\t':
                if (attribute) out += "&#x9;"; else out.push_back(c);
                break;
            case '\n':
                if (attribute) out += "&#xA;"; else out.push_back(c);
                break;
            default: out.push_back(c);
        }
    }
}

class Decoder : public QNameLookup {
public:
    explicit Decoder(Bytes bytes) : cursor_(bytes) {
        size_t scaled = bytes.size() > (kMaxOutputCap / 8) ? kMaxOutputCap : bytes.size() * 8;
        outputCap_ = scaled + kBaseOutputCap;
        if (outputCap_ > kMaxOutputCap) outputCap_ = kMaxOutputCap;
        bindings_.push_back({"xml", kXmlNamespace});
        bindings_.push_back({"", ""});
    }

    std::string run() {
        if (!readHeader()) return {};
        while (!cursor_.atEnd() && out_.size() < outputCap_) {
            uint8_t token = 0;
            if (!nextToken(token) || !handleToken(token)) break;
        }
        closePendingStartTag();
        return std::move(out_);
    }

    bool appendQName(uint32_t reference, std::string& out) const override {
        if (reference == 0 || reference >= tables_.qnames.size()) return false;
        const QNameEntry& entry = tables_.qnames[reference];
        const std::string& prefix = tables_.names[entry.prefix];
        if (!prefix.empty()) {
            out += prefix;
            out.push_back(':');
        }
        out += tables_.names[entry.localName];
        return true;
    }

private:
    bool readHeader() {
        uint8_t s0 = 0, s1 = 0, version = 0;
        Bytes codePage;
        if (!cursor_.readByte(s0) || !cursor_.readByte(s1) || s0 != kSignature0 || s1 != kSignature1)
            return false;
        if (!cursor_.readByte(version) || (version != 1 && version != 2)) return false;
        return cursor_.take(2, codePage) && readU16(codePage, 0) == kUtf16CodePage;
    }

    bool readNameRef(uint32_t& index) {
        return cursor_.readMb32(index) && index < tables_.names.size();
    }

    // Name-table tokens may appear between any two tokens.
    bool handleMeta(uint8_t token) {
        switch (token) {
            case kName: {
                std::string name;
                if (!cursor_.readText(name)) return false;
                tables_.names.push_back(std::move(name));
                return true;
            }
            case kQName: {
                QNameEntry entry;
                if (!readNameRef(entry.namespaceUri) || !readNameRef(entry.prefix) ||
                    !readNameRef(entry.localName))
                    return false;
                tables_.qnames.push_back(entry);
                return true;
            }
            case kNameFlush:
                tables_ = NameTables();
                return true;
            case kExtension: {
                uint32_t length = 0;
                Bytes skipped;
                return cursor_.readMb32(length) && cursor_.take(length, skipped);
            }
            default:
                return false;
        }
    }

    static bool isMeta(uint8_t token) {
        return token == kName || token == kQName || token == kNameFlush || token == kExtension;
    }

    // Processes name-table tokens; true when a further token follows.
    bool skipMeta() {
        while (!cursor_.atEnd() && isMeta(cursor_.peek())) {
            uint8_t token = 0;
            cursor_.readByte(token);
            if (!handleMeta(token)) return false;
        }
        return !cursor_.atEnd();
    }

    bool nextToken(uint8_t& token) { return skipMeta() && cursor_.readByte(token); }

    void closePendingStartTag() {
        if (startTagOpen_) out_.push_back('>');
        startTagOpen_ = false;
    }

    bool handleToken(uint8_t token) {
        if (token == kElement) return openElement();
        if (token == kEndElement) return closeElement();
        closePendingStartTag();
        if (isValueToken(token)) {
            scratch_.clear();
            if (!readAtomicValue(token, cursor_, scratch_, *this)) return false;
            appendEscaped(out_, scratch_, false);
            return true;
        }
        switch (token) {
            case kXmlDecl: return xmlDeclaration();
            case kDocType: return documentType();
            case kProcessingInstruction: return processingInstruction();
            case kComment:
                scratch_.clear();
                if (!cursor_.readText(scratch_)) return false;
                out_ += "<!--";
                out_ += scratch_;
                out_ += "-->";
                return true;
            case kCData: return cdata();
            case kXmlText:
                return cursor_.readText(out_);
            case kNest:
                if (savedTables_.size() >= kMaxNesting) return false;
                savedTables_.push_back(std::move(tables_));
                tables_ = NameTables();
                return readHeader();
            case kEndNest:
                if (savedTables_.empty()) return false;
                tables_ = std::move(savedTables_.back());
                savedTables_.pop_back();
                return true;
            default:
                return false;  // unknown token: the value ends here
        }
    }

    bool xmlDeclaration() {
        std::string version, encoding;
        if (!cursor_.readText(version)) return false;
        if (!cursor_.atEnd() && cursor_.peek() == kEncoding) {
            uint8_t token = 0;
            cursor_.readByte(token);
            if (!cursor_.readText(encoding)) return false;
        }
        uint8_t standalone = 0;
        if (!cursor_.readByte(standalone) || standalone > 2) return false;
        out_ += "<?xml version=\"";
        appendEscaped(out_, version, true);
        out_.push_back('"');
        if (!encoding.empty()) {
            out_ += " encoding=\"";
            appendEscaped(out_, encoding, true);
            out_.push_back('"');
        }
        if (standalone != 0) out_ += standalone == 1 ? " standalone=\"yes\"" : " standalone=\"no\"";
        out_ += "?>";
        return true;
    }

    bool documentType() {
        std::string name, systemId, publicId, subset;
        bool hasSystem = false, hasPublic = false, hasSubset = false;
        if (!cursor_.readText(name)) return false;
        uint8_t token = 0;
        if (!cursor_.atEnd() && cursor_.peek() == kSystem) {
            cursor_.readByte(token);
            if (!cursor_.readText(systemId)) return false;
            hasSystem = true;
        }
        if (!cursor_.atEnd() && cursor_.peek() == kPublic) {
            cursor_.readByte(token);
            if (!cursor_.readText(publicId)) return false;
            hasPublic = true;
        }
        if (!cursor_.atEnd() && cursor_.peek() == kSubset) {
            cursor_.readByte(token);
            if (!cursor_.readText(subset)) return false;
            hasSubset = true;
        }
        out_ += "<!DOCTYPE ";
        out_ += name;
        if (hasPublic) {
            out_ += " PUBLIC \"" + publicId + "\" \"" + systemId + "\"";
        } else if (hasSystem) {
            out_ += " SYSTEM \"" + systemId + "\"";
        }
        if (hasSubset) out_ += " [" + subset + "]";
        out_.push_back('>');
        return true;
    }

    bool processingInstruction() {
        uint32_t target = 0;
        scratch_.clear();
        if (!readNameRef(target) || !cursor_.readText(scratch_)) return false;
        out_ += "<?";
        out_ += tables_.names[target];
        if (!scratch_.empty()) {
            out_.push_back(' ');
            out_ += scratch_;
        }
        out_ += "?>";
        return true;
    }

    bool cdata() {
        scratch_.clear();
        if (!cursor_.readText(scratch_)) return false;
        while (!cursor_.atEnd() && cursor_.peek() == kCData) {
            uint8_t token = 0;
            cursor_.readByte(token);
            if (!cursor_.readText(scratch_)) return false;
        }
        bool ended = !cursor_.atEnd() && cursor_.peek() == kEndCData;
        if (ended) {
            uint8_t token = 0;
            cursor_.readByte(token);
        }
        out_ += "<![CDATA[";
        // "]]>" cannot stand inside a section: split it over two sections.
        size_t start = 0;
        for (size_t found; (found = scratch_.find("]]>", start)) != std::string::npos; start = found + 2) {
            out_.append(scratch_, start, found + 2 - start);
            out_ += "]]><![CDATA[";
        }
        out_.append(scratch_, start, std::string::npos);
        out_ += "]]>";
        return ended;
    }

    const std::string& name(uint32_t index) const { return tables_.names[index]; }

    const std::string* lookupBinding(const std::string& prefix) const {
        for (size_t i = bindings_.size(); i-- > 0;)
            if (bindings_[i].first == prefix) return &bindings_[i].second;
        return nullptr;
    }

    // Declares prefix -> uri unless the scope already binds it so.
    void ensureBinding(const std::string& prefix, const std::string& uri, std::string& declarations) {
        if (prefix == "xml") return;
        const std::string* bound = lookupBinding(prefix);
        if (bound != nullptr && *bound == uri) return;
        if (bound == nullptr && prefix.empty() && uri.empty()) return;
        bindings_.push_back({prefix, uri});
        declarations += prefix.empty() ? " xmlns=\"" : " xmlns:" + prefix + "=\"";
        appendEscaped(declarations, uri, true);
        declarations.push_back('"');
    }

    // Resolves an attribute's names. A namespace declaration has the prefix
    // name "xmlns" or "xmlns:p" and an empty local name.
    void resolveAttribute(const QNameEntry& entry, Attribute& attribute) const {
        attribute.prefix = name(entry.prefix);
        attribute.localName = name(entry.localName);
        attribute.namespaceUri = name(entry.namespaceUri);
        if (entry.localName != 0) {
            attribute.kind = AttributeKind::Plain;
        } else if (entry.prefix == 0 && entry.namespaceUri == 0) {
            attribute.kind = AttributeKind::Empty;
        } else if (attribute.prefix == "xmlns") {
            attribute.kind = AttributeKind::Declaration;
            attribute.prefix.clear();
        } else if (attribute.prefix.size() > 6 && attribute.prefix.compare(0, 6, "xmlns:") == 0) {
            attribute.kind = AttributeKind::Declaration;
            attribute.prefix.erase(0, 6);
        } else {
            attribute.kind = AttributeKind::Invalid;
        }
    }

    bool openElement() {
        uint32_t reference = 0;
        if (!cursor_.readMb32(reference) || reference == 0 || reference >= tables_.qnames.size())
            return false;
        const QNameEntry& element = tables_.qnames[reference];
        if (element.localName == 0 || elements_.size() >= kMaxDepth) return false;
        closePendingStartTag();
        OpenElement open;
        open.bindingMark = bindings_.size();
        const std::string prefix = name(element.prefix);
        const std::string namespaceUri = name(element.namespaceUri);
        open.name = prefix.empty() ? name(element.localName) : prefix + ":" + name(element.localName);

        // Attributes: each a qualified name followed by its values.
        attributes_.clear();
        bool complete = skipMeta() || cursor_.atEnd();
        while (complete && !cursor_.atEnd() && cursor_.peek() == kAttribute) {
            uint8_t token = 0;
            cursor_.readByte(token);
            uint32_t qname = 0;
            if (!cursor_.readMb32(qname) || qname == 0 || qname >= tables_.qnames.size()) {
                complete = false;
                break;
            }
            Attribute attribute;
            resolveAttribute(tables_.qnames[qname], attribute);
            while (skipMeta() && isValueToken(cursor_.peek())) {
                cursor_.readByte(token);
                if (!readAtomicValue(token, cursor_, attribute.value, *this)) {
                    complete = false;
                    break;
                }
            }
            attributes_.push_back(std::move(attribute));
        }
        if (complete && !cursor_.atEnd() && cursor_.peek() == kEndAttributes) {
            uint8_t token = 0;
            cursor_.readByte(token);
        }

        // Explicit declarations first, so that implied ones see them.
        for (const Attribute& attribute : attributes_)
            if (attribute.kind == AttributeKind::Declaration)
                bindings_.push_back({attribute.prefix, attribute.value});
        out_.push_back('<');
        out_ += open.name;
        for (const Attribute& attribute : attributes_) {
            if (attribute.kind == AttributeKind::Empty || attribute.kind == AttributeKind::Invalid) continue;
            out_.push_back(' ');
            if (attribute.kind == AttributeKind::Declaration) {
                out_ += attribute.prefix.empty() ? "xmlns" : "xmlns:" + attribute.prefix;
            } else {
                if (!attribute.prefix.empty()) {
                    out_ += attribute.prefix;
                    out_.push_back(':');
                }
                out_ += attribute.localName;
            }
            out_ += "=\"";
            appendEscaped(out_, attribute.value, true);
            out_.push_back('"');
        }
        std::string implied;
        ensureBinding(prefix, namespaceUri, implied);
        for (const Attribute& attribute : attributes_)
            if (attribute.kind == AttributeKind::Plain && !attribute.prefix.empty())
                ensureBinding(attribute.prefix, attribute.namespaceUri, implied);
        out_ += implied;
        startTagOpen_ = true;
        elements_.push_back(std::move(open));
        return complete;
    }

    bool closeElement() {
        if (elements_.empty()) return false;
        if (startTagOpen_) {
            out_ += " />";
            startTagOpen_ = false;
        } else {
            out_ += "</";
            out_ += elements_.back().name;
            out_.push_back('>');
        }
        bindings_.resize(elements_.back().bindingMark);
        elements_.pop_back();
        return true;
    }

    Cursor cursor_;
    size_t outputCap_ = 0;
    std::string out_;
    std::string scratch_;
    NameTables tables_;
    std::vector<NameTables> savedTables_;
    std::vector<OpenElement> elements_;
    std::vector<Attribute> attributes_;
    std::vector<std::pair<std::string, std::string>> bindings_;
    bool startTagOpen_ = false;
};

}  // namespace

std::string convertValueBytes(Bytes bytes) {
    if (bytes.empty()) return {};
    return Decoder(bytes).run();
}

std::string convertValueBlocks(ValueBlocks& blocks) {
    size_t total = 0;
    for (const auto& block : blocks) total += block.size();
    std::vector<uint8_t> joined;
    joined.reserve(total);
    for (const auto& block : blocks) joined.insert(joined.end(), block.begin(), block.end());
    blocks.clear();
    return convertValueBytes(joined);
}

}  // namespace pw
