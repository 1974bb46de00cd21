// The library's XML engine as clients see it: the streams it reads and writes,
// the data-block provider interface, and the document-model interfaces.
#pragma once

#include <cstdint>

namespace QuorveXML {

class XIXMLNode;
class XIXMLElement;
class XIXMLAttribute;
class XIXMLData;
class XIXMLComment;
class XIXMLPI;
class XIXMLDocType;
class XCXMLWriter;

/// Output of the XML writer. Write must take every byte: any result other than
/// count fails the write with "Can't write character".
class XIXMLWriteStream {
public:
  /// Writes count bytes; returns the number written.
  virtual int32_t Write(const char* bytes, int32_t count) = 0;

protected:
  ~XIXMLWriteStream() = default;
};

/// Input of the XML parser. The parser always asks for 1024 bytes; a result
/// smaller than the request is the last piece of the data (0: end of data at
/// once). A result larger than the request is an error.
class XIXMLReadStream {
public:
  virtual ~XIXMLReadStream() = default;
  /// Reads up to size bytes into buffer; returns the number delivered.
  virtual uint32_t Read(void* buffer, uint32_t size) = 0;
};

/// A data-block provider: produces the content of one CDATA block while the
/// writer serialises the document. A data node takes over one reference at
/// creation and calls Release once when destroyed.
class IXMLCData {
public:
  /// Writes the block's bytes (never the sequence "]]>"); true when written.
  virtual bool Write(XIXMLWriteStream* stream, int depth, XIXMLData* dataNode) = 0;
  /// The provider that a copy of the data node is to hold (this one with one more
  /// reference, or a new provider).
  virtual IXMLCData* Duplicate() = 0;
  /// Drops the data node's reference; the base behaviour destroys the provider.
  virtual void Release() { delete this; }
  virtual ~IXMLCData() = default;
};

// ---- document model
//
// A document is a tree of nodes. Element and attribute names are interned keys:
// GetKey returns the one pointer that stands for a name in a tree, and names are
// compared by that pointer only (FindElement, FindAttribute, GetNextSameElement).
// A key stays valid as long as its tree, or as long as a node removed from the tree
// still holds it; AddNode re-interns the keys of a node that comes from another tree.
// Nodes and attributes belong to their parent and die through Delete(), which checks
// the object's guard word first, so that deleting a stale pointer throws
// "XCMine::CheckMine - Owner object is destroyed) (assertion failed)" instead of
// freeing memory twice. Every error is a std::runtime_error carrying its message.
// Lists are walked from their start: GetIndex, GetElement, FindElement, CountElements,
// RemoveNode and RemoveAttribute cost the position of what they look for; appending
// costs the same at any length.

/// A node of a document: element, text or block data, comment, processing instruction
/// or document type. Attributes are not nodes.
class XIXMLNode {
public:
  /// Checks the guard word, unlinks the node from its parent and destroys it with
  /// everything it holds.
  virtual void Delete() = 0;
  /// The next sibling; null for the last child and for a node without parent.
  virtual XIXMLNode* GetNext() = 0;
  /// Internal linking: the element operations keep every link, so only the current
  /// value is accepted; any other fails with "exception (assertion failed)".
  virtual void SetNext(XIXMLNode* node) = 0;
  /// The node as a processing instruction; null for any other kind.
  virtual XIXMLPI* AsPI() = 0;
  /// The node as a comment; null for any other kind.
  virtual XIXMLComment* AsComment() = 0;
  /// The node as a document type; null for any other kind.
  virtual XIXMLDocType* AsDocType() = 0;
  /// The node as a text or block data node; null for any other kind.
  virtual XIXMLData* AsData() = 0;
  /// The node as an element (the document root included); null for any other kind.
  virtual XIXMLElement* AsElement() = 0;
  /// Writes the node at depth (tabs of indentation) through the writer of an element's
  /// Write(stream); an element writes its whole subtree.
  virtual void Write(XCXMLWriter& writer, int32_t depth) = 0;
  /// The parent element; null while the node is detached.
  virtual XIXMLElement* GetParent() = 0;
  /// Internal linking, as SetNext: only the current parent is accepted.
  virtual void SetParent(XIXMLElement* element) = 0;
  /// The position among the parent's children, -1 without a parent.
  virtual int32_t GetIndex() = 0;
  /// Appends a deep copy of this node as the last child of element and returns it.
  /// Names are re-interned through element's tree, so the copy may go into another
  /// tree; element may lie inside this node (one copy is made). A block data node's
  /// copy holds the provider returned by Duplicate(). Copying an element or document
  /// type into an element outside any tree fails with
  /// "XCXMLElement::GetKey - element isn't in a tree (pointer is NULL)".
  virtual XIXMLNode* CopyTo(XIXMLElement* element) = 0;
  /// Destroys the node without checking its guard word; prefer Delete().
  virtual ~XIXMLNode() = default;
};

/// An element, or the document root (no name; its children are the top-level nodes).
class XIXMLElement {
public:
  /// The element's node.
  virtual XIXMLNode* GetNode() = 0;
  /// Writes the element (the root: the whole document) to stream. A failing stream
  /// throws "Can't write character"; what was written stays written.
  virtual void Write(XIXMLWriteStream* stream) = 0;
  /// The interned key of name in this element's tree (the root inserts it). Outside
  /// a tree: "XCXMLElement::GetKey - element isn't in a tree (pointer is NULL)".
  virtual const char* GetKey(const char* name) = 0;
  /// Appends a detached node (no parent, no next sibling) as the last child; anything
  /// else, the document root, or an element that would come under itself fails with
  /// "exception (assertion failed)" and changes nothing.
  virtual void AddNode(XIXMLNode* node) = 0;
  /// Unlinks a child without destroying it; the caller then owns it (AddNode it
  /// somewhere or Delete it). A node of another parent: "exception (assertion failed)".
  virtual void RemoveNode(XIXMLNode* node) = 0;
  /// Moves the child node to just before the child before (to the end when before is
  /// null). node not a child: "exception (assertion failed)"; before not a child:
  /// "XCXMLElement::MoveNode previous == NULL (pointer is NULL)"; both leave the list as it was.
  virtual void MoveNode(XIXMLNode* node, XIXMLNode* before) = 0;
  /// The position of node among the children, -1 when it is not one.
  virtual int32_t GetNodeIndex(XIXMLNode* node) = 0;
  /// Appends an attribute with a copy of value (duplicates are not detected); key
  /// should come from GetKey. A null value or key: "exception (pointer is NULL)".
  virtual XIXMLAttribute* AddAttribute(const char* key, const char* value) = 0;
  /// Unlinks an attribute without destroying it. One of another element:
  /// "XCXMLElement::RemoveAttribute previous == NULL (pointer is NULL)".
  virtual void RemoveAttribute(XIXMLAttribute* attribute) = 0;
  /// Appends a processing instruction (texts copied; null: "exception (pointer is NULL)").
  virtual XIXMLPI* AddPI(const char* target, const char* data) = 0;
  /// Appends a comment (text copied; null: "exception (pointer is NULL)").
  virtual XIXMLComment* AddComment(const char* text) = 0;
  /// Appends a document type; the identifiers and the subset may be null.
  virtual XIXMLDocType* AddDocType(const char* key, const char* publicId, const char* systemId,
                                   const char* subset) = 0;
  /// Appends a block data node whose content provider writes while the document is
  /// written. Takes over the caller's reference on success only. Null provider:
  /// "exception"; a second data node: "Only one data node for an element".
  virtual XIXMLData* AddData(IXMLCData* provider) = 0;
  /// Appends a text data node (text copied). Null: "exception (pointer is NULL)";
  /// a second data node: "Only one data node for an element".
  virtual XIXMLData* AddData(const char* text) = 0;
  /// Appends and returns a new child element (null key: "exception (pointer is NULL)").
  virtual XIXMLElement* AddElement(const char* key) = 0;
  /// The element's own key; null for the document root.
  virtual const char* GetKeyRef() = 0;
  /// Renames the element (null: "exception (pointer is NULL)").
  virtual void SetKey(const char* key) = 0;
  /// The first child that is a data node, or null.
  virtual XIXMLData* GetData() = 0;
  /// The first child node, or null.
  virtual XIXMLNode* GetFirstNode() = 0;
  /// The first child element, or null.
  virtual XIXMLElement* GetFirstElement() = 0;
  /// The next sibling of this element that is an element, or null.
  virtual XIXMLElement* GetNextElement() = 0;
  /// The first child element with this key, or null.
  virtual XIXMLElement* FindElement(const char* key) = 0;
  /// The next sibling element with the same key as this one, or null.
  virtual XIXMLElement* GetNextSameElement() = 0;
  /// The number of child elements.
  virtual int32_t CountElements() = 0;
  /// The child element at index, counting elements only; null when out of range.
  virtual XIXMLElement* GetElement(int32_t index) = 0;
  /// The first attribute, or null.
  virtual XIXMLAttribute* GetFirstAttribute() = 0;
  /// The attribute with this key, or null; a key whose text is empty yields the first one.
  virtual XIXMLAttribute* FindAttribute(const char* key) = 0;
  /// True when the attribute exists and its value equals text byte for byte.
  virtual bool HasAttributeValue(const char* key, const char* text) = 0;
  /// Destroys the element with its subtree, without checking its guard word.
  virtual ~XIXMLElement() = default;
};

/// An attribute of an element: a key and a value text, in the element's list order.
class XIXMLAttribute {
public:
  /// Checks the guard word, unlinks the attribute from its element and destroys it.
  virtual void Delete() = 0;
  /// The next attribute of the element, or null.
  virtual XIXMLAttribute* GetNext() = 0;
  /// Internal linking: only the current value is accepted (see XIXMLNode::SetNext).
  virtual void SetNext(XIXMLAttribute* attribute) = 0;
  /// The element holding the attribute; null once removed.
  virtual XIXMLElement* GetOwner() = 0;
  /// The attribute's key.
  virtual const char* GetKeyRef() = 0;
  /// Renames the attribute (null: "exception (pointer is NULL)").
  virtual void SetKey(const char* key) = 0;
  /// The value text; valid until the value changes.
  virtual const char* GetValue() = 0;
  /// Replaces the value with a copy of text (null: "exception (pointer is NULL)").
  virtual void SetValue(const char* text) = 0;
  /// Scans the value with a scanf format of exactly one conversion into out, in the
  /// "C" locale whatever the client's. "nan", "inf", "+inf" and "-inf" scan as "1.0",
  /// and so does any other text whose floating-point value is not finite.
  /// A null out, or anything but one converted field: "exception".
  virtual void Scan(const char* format, void* out) = 0;
  /// Sets the value from a printf format in the "C" locale; 2048 characters or more: "exception".
  virtual void Format(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
  /// Writes " name=" and the quoted value through writer.
  virtual void Write(XCXMLWriter& writer) = 0;
  /// Appends a copy to element (name re-interned there) and returns it.
  virtual XIXMLAttribute* CopyTo(XIXMLElement* element) = 0;
  /// Destroys the attribute without checking its guard word; prefer Delete().
  virtual ~XIXMLAttribute() = default;
};

/// A data node: a text, or a block whose content provider writes a CDATA block.
class XIXMLData {
public:
  using IXMLCData = QuorveXML::IXMLCData;

  /// The data node's node.
  virtual XIXMLNode* GetNode() = 0;
  /// The text; a block data node has none: "exception".
  virtual const char* GetText() = 0;
  /// Replaces the text with a copy; on a block data node: "exception".
  virtual void SetText(const char* text) = 0;
  /// Scans the text as XIXMLAttribute::Scan does; a block data node: "exception".
  virtual void Scan(const char* format, void* out) = 0;
  /// Sets the text as XIXMLAttribute::Format does.
  virtual void Format(const char* format, ...) __attribute__((format(printf, 2, 3))) = 0;
  /// Destroys the node without checking its guard word; prefer GetNode()->Delete().
  virtual ~XIXMLData() = default;
};

/// A comment: its text, written unescaped between "<!--" and "-->".
class XIXMLComment {
public:
  /// The comment's node.
  virtual XIXMLNode* GetNode() = 0;
  virtual const char* GetText() = 0;
  /// Replaces the text with a copy (null: "exception (pointer is NULL)").
  virtual void SetText(const char* text) = 0;
  virtual ~XIXMLComment() = default;
};

/// A processing instruction: target and data, written "<?target data?>".
class XIXMLPI {
public:
  /// The instruction's node.
  virtual XIXMLNode* GetNode() = 0;
  virtual const char* GetTarget() = 0;
  /// Replaces the target with a copy (null: "exception (pointer is NULL)").
  virtual void SetTarget(const char* text) = 0;
  virtual const char* GetData() = 0;
  /// Replaces the data with a copy (null: "exception (pointer is NULL)").
  virtual void SetData(const char* text) = 0;
  virtual ~XIXMLPI() = default;
};

/// A document type declaration: a name key, optional public and system identifiers
/// and an optional internal subset.
class XIXMLDocType {
public:
  /// The declaration's node.
  virtual XIXMLNode* GetNode() = 0;
  /// The name key.
  virtual const char* GetKeyRef() = 0;
  /// Renames the declaration (null: "exception (pointer is NULL)").
  virtual void SetKey(const char* key) = 0;
  /// The public identifier, or null.
  virtual const char* GetPublicId() = 0;
  /// Replaces the public identifier with a copy (null removes it).
  virtual void SetPublicId(const char* text) = 0;
  /// The system identifier, or null.
  virtual const char* GetSystemId() = 0;
  /// Replaces the system identifier with a copy (null removes it).
  virtual void SetSystemId(const char* text) = 0;
  /// The internal subset, or null.
  virtual const char* GetSubset() = 0;
  /// Replaces the internal subset with a copy (null removes it).
  virtual void SetSubset(const char* text) = 0;
  virtual ~XIXMLDocType() = default;
};

}  // namespace QuorveXML
