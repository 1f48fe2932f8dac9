#pragma once

#include <QByteArrayView>

#include <exception>

// libxml2's forgiving HTML parser, reporting elements and text as they come instead of
// building a tree: pages of any size and nesting depth are read in one pass without
// recursion. Names come lower-cased; text and attribute values in UTF-8, entities decoded.
// The text of scripts and style sheets is not reported.
class THtmlSax
{
public:
    // Attributes are name, value pairs ending with a null name; the value may be null.
    using TAttributes = const unsigned char* const*;

    virtual ~THtmlSax();

    // The value of the attribute of that name, "" when it has none, null when absent.
    static const char* Attribute(TAttributes Attributes, const char* Name) noexcept;

protected:
    // Parses a page in UTF-8. An exception thrown by a handler stops the parse and is
    // thrown again from here; a page too large for libxml2 raises EMalformedData.
    void Parse(QByteArrayView Utf8);
    // Ends the parse after the current handler returns.
    void Stop() noexcept;

    virtual void StartElement(const char* Name, TAttributes Attributes) = 0;
    virtual void EndElement(const char* Name) = 0;
    virtual void Characters(QByteArrayView Text) = 0;

private:
    template <typename TCall>
    static void Guarded(void* Self, TCall Call) noexcept;

    void* FContext = nullptr;
    std::exception_ptr FError;
};
