// The parser handler that builds a document tree, and the interface through which a
// client consumes data blocks while they are parsed.
#pragma once

#include "xml/parser.h"
#include "xml/tree.h"

namespace QuorveXML {

/// Consumes the data blocks of a parse. Read may take as much or as little of the
/// block as it needs: the parser passes over the rest. False fails the parse with
/// "exception (assertion failed)"; an exception passes through unchanged.
class IXMLCDataReader {
public:
  virtual bool Read(XIXMLElement* element, XIXMLReadStream* stream) = 0;

protected:
  ~IXMLCDataReader() = default;
};

class CXMLTreeReader : public CXMLParser {
public:
  /// reader receives the data blocks; without one a block becomes a text node.
  explicit CXMLTreeReader(IXMLCDataReader* reader = nullptr) : mReader(reader) {}

  /// Parses stream into a new tree and hands it over (the caller deletes it). A
  /// failed parse destroys the partial tree and throws on. Calling Read while a read
  /// runs fails with "exception (assertion failed)".
  XCXMLTree* Read(XIXMLReadStream* stream);

  // ---- callbacks: each fails with "exception (pointer is NULL)" without a current element
  /// Appends a child element under the name's key and makes it current; returns it.
  void* OnStartElement(const char* name) override;
  /// Appends an attribute to the current element.
  void OnAttribute(const char* name, const char* value) override;
  /// Appends a text node ("Only one data node for an element" for a second one); an
  /// empty text adds nothing.
  void OnText(const char* text) override;
  void OnComment(const char* text) override;
  /// Appends the instruction and goes on.
  bool OnPI(const char* target, const char* data) override;
  /// Adds the document type to the root; only while the root is current, else
  /// "exception (assertion failed)".
  void OnDocType(const char* name, const char* publicId, const char* systemId, const char* subset) override;
  /// Hands the block to the registered reader with the current element; without a
  /// reader the block becomes a text node.
  void OnCData(XIXMLReadStream* stream) override;
  /// Makes the parent current; a handle other than the current element fails with
  /// "exception (assertion failed)".
  void OnEndElement(void* handle) override;

protected:
  /// The current element; throws "exception (pointer is NULL)" when there is none.
  XCXMLElement* Current();
  /// The key of name; null when the name waits for its key (see mWaiting), and the
  /// caller then hands the node that carries it to Wait.
  const char* KeyOf(const char* name);
  template <class Node>
  void Wait(Node* node);
  /// Gives every waiting node its key.
  void ResolveWaiting();

  XCXMLTree* mTree = nullptr;
  XCXMLElement* mCurrent = nullptr;
  IXMLCDataReader* mReader;

private:
  // Read once per parse instead of once per node.
  XRef mCurrentRef = 0;
  CHashKey* mTable = nullptr;
  CNodeHeap* mHeap = nullptr;
  // The keys of recent names: a scene repeats a few dozen names millions of times,
  // and a hit here costs one comparison instead of hashing and probing.
  struct CRecentName {
    const char* mKey;
    size_t mLength;
  };
  static constexpr size_t kRecentNames = 64;
  CRecentName mRecent[kRecentNames];
  // KeyOf past its recent names: hashes the name and asks the key table.
  const char* KeyOfNew(const char* name, size_t length, CRecentName& recent);
  // Names that the key table cannot answer from its caches (a table grown past
  // thousands of names, or a window full of names built to collide) wait here for
  // their keys, a few at a time: each answer lies at a random place in a large
  // table, and asking for several such places before reading any overlaps the
  // waits. An ordinary scene, a few dozen names, never waits. Nothing reads a key
  // before ResolveWaiting: the parse calls it when the queue is full, before a data
  // block reader sees the tree, and at the end.
  struct CWaitingName {
    XCXMLElement* mElement;  // the node that takes the key: one of the two
    XCXMLAttribute* mAttribute;
    CHashKey::CPending mPending;
    CRecentName* mRecent;  // the entry that remembers the name once it has its key
    uint32_t mLength;
    uint32_t mHash;
    char mName[64];
  };
  static constexpr size_t kWaitingNames = 8;
  CWaitingName mWaiting[kWaitingNames];
  size_t mWaitingCount = 0;
};

}  // namespace QuorveXML
