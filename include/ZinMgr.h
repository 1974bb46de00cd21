// The document manager: the root object of one ZIN document, and the library's
// exported entry points.
#pragma once

#include <string>

#include "ZinAnimation.h"
#include "ZinBase.h"
#include "ZinBasicData.h"
#include "ZinGeometry.h"
#include "ZinHeliodon.h"
#include "ZinImage.h"
#include "ZinImageEffects.h"
#include "ZinLights.h"
#include "ZinMaterials.h"
#include "ZinObjectMgr.h"
#include "ZinObjects.h"
#include "ZinPanoramas.h"
#include "ZinFileInfo.h"
#include "ZinStorage.h"
#include "ZinStreams.h"
#include "ZinValues.h"
#include "ZinViews.h"
#include "ZinXML.h"

namespace QvZin {

/// An interface generation. A client passes the value it was compiled against.
enum EVersionZIN : int32_t {
  eZinVersionOldest = 30,   ///< the oldest generation newZinMgr accepts
  eZinVersionCurrent = 50   ///< this library's generation
};

/// The extended interface generation; this library's is 50 too.
enum EExtendedVersionZIN : int32_t { eZinExtendedVersionCurrent = 50 };

/// A library version: major, minor, build, compared in that order; text "%d.%d.%d".
struct CZinVersion {
  int32_t major = 0;
  int32_t minor = 0;
  int32_t build = 0;

  friend bool operator==(const CZinVersion& a, const CZinVersion& b) {
    return a.major == b.major && a.minor == b.minor && a.build == b.build;
  }
  friend bool operator!=(const CZinVersion& a, const CZinVersion& b) { return !(a == b); }
  friend bool operator<(const CZinVersion& a, const CZinVersion& b) {
    if (a.major != b.major) return a.major < b.major;
    if (a.minor != b.minor) return a.minor < b.minor;
    return a.build < b.build;
  }
  friend bool operator>(const CZinVersion& a, const CZinVersion& b) { return b < a; }
};

/// A renderer's own parameter set, carried through files as "Tmp.Render.Parameters".
/// Parameter i (1 to 12) is entry i - 1 of each array; the library gives them no meaning.
struct CZinRenderConfig {
  std::string name = "Unknown_Config";
  double values[12] = {};
  double minimums[12] = {};
  double maximums[12] = {100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100};
  bool flags[12] = {};
  std::string texts[12];
  CZinColor colors[12];
};

/// The manager's second interface. It has no counting of its own: the manager's
/// count governs it.
class IZinMgrEx {
public:
  /// The camera animations (borrowed).
  virtual TZinObjectMgr<IZinAnimation>* getAnimations() = 0;
  /// The billboard data (borrowed).
  virtual TZinObjectMgr<IZinBBMgrData>* getBBMgrData() = 0;
  /// Loads a shader file from stream into property: a "Zin.Shader" holding a "Node"
  /// (what writeShader writes) or an older "Quorve.Shader" holding a "Node" becomes
  /// the first child of the property's root node; a "Zin.Shader" holding a
  /// "Property" is read into the whole property. The stream must start with "<".
  /// Every failure goes to the feedback object and gives false; the property is then
  /// unchanged, except after a failure inside a "Property".
  virtual bool readShader(IZinProperty* property, IZinReadStream* stream) = 0;
  /// Writes the first child of property's root node to stream as a shader file: the
  /// bytes of a document whose root element "Zin.Shader" holds one "Node", with no
  /// declaration or instruction. A property without that node, and every other
  /// failure, goes to the feedback object and gives false.
  virtual bool writeShader(IZinProperty* property, IZinWriteStream* stream) = 0;
  /// The parallel views written inside "Working.Window" (borrowed).
  virtual TZinObjectMgr<IZinParallelView>* getWorkingWindows() = 0;
  /// Appends a new property to the shader properties and returns it (borrowed).
  /// These properties are never written with the scene.
  virtual IZinProperty* newShaderProperty() = 0;
  /// Removes the first shader-property entry that is property; nothing when absent.
  virtual void removeShaderProperty(IZinProperty* property) = 0;
  /// The render configuration (borrowed); read and change its fields in place.
  virtual CZinRenderConfig* getRenderConfig() = 0;

protected:
  ~IZinMgrEx() = default;
};

class CZinEntryPoints;

/// The document manager. Obtain one with CZinEntryPoints::newZinMgr; release it
/// with Release. Getters return borrowed pointers.
class IZinMgr : public IZinBasic {
public:
  static constexpr CZinUUID sIID = CZinUUID::fromText("5F0C2B7E9A6D4E13B8C41F2D7A9E6B30");

  // getObjectLink: the link object's object-link interface.
  // getBasicData: the manager's own basic data.

  /// Copies both strings (null counts as ""); they name the writing program in
  /// the file's "Application" instruction.
  virtual void setApplication(const char* name, const char* version) = 0;
  /// The file information: the origin of the scene (borrowed).
  virtual IZinFileInfo* getFileInfo() = 0;
  /// The same as getFileInfo.
  virtual IZinFileInfo* getFileInfo2() = 0;
  /// The manager's second interface (no reference taken). Above 50 warns "Client is
  /// newer than Zin Library!", below 5 "Client is obsolete for this Zin Library!"
  /// (to the feedback object, with this manager) and returns null.
  virtual IZinMgrEx* getMgrEx(EVersionZIN clientVersion) = 0;
  /// The library version found in the header of the last file read; 0.0.0 at first.
  virtual const CZinVersion* getFileVersion() = 0;
  /// Reads a whole file from stream into this manager; geometry goes to storage, or
  /// into the manager itself when storage is null. Every problem is reported through
  /// the feedback object; false when the file could not be read.
  virtual bool read(IZinReadStream* stream, IZinExtStorageReader* storage) = 0;
  /// writeEx with the default minimum version 5.1.0.
  virtual bool write(IZinWriteStream* stream, IZinExtStorageWriter* storage) = 0;
  /// Stores the file-format pair (5 and 1 at first) into the pointers that are set.
  /// Always true.
  virtual bool getFileFormat(int* major, int* minor) = 0;

  // The scene collections: borrowed, owned by the manager for its whole life. A new
  // manager holds one heliodon and nothing else.
  /// The perspective views (cameras).
  virtual TZinObjectMgr<IZinCamera>* getPerspectiveViews() = 0;
  /// The polygons of the scene's own geometry.
  virtual TZinObjectMgr<IZinPolygon>* getPolygons() = 0;
  /// The points of the scene's own geometry.
  virtual TZinObjectMgr<CZinPoint>* getPoints() = 0;
  /// The properties (materials).
  virtual TZinObjectMgr<IZinProperty>* getProperties() = 0;
  /// The lights.
  virtual TZinObjectMgr<IZinLight>* getLights() = 0;
  /// The view objects.
  virtual TZinObjectMgr<IZinViewObject>* getViewObjects() = 0;
  /// The parallel views.
  virtual TZinObjectMgr<IZinParallelView>* getParallelViews() = 0;
  /// The heliodons.
  virtual TZinObjectMgr<IZinHeliodon>* getHeliodons() = 0;
  /// The light groups.
  virtual TZinObjectMgr<IZinLightsGroup>* getLightsGroups() = 0;
  /// The preview image (borrowed). Throws "TZinComPtr::operator*() - Dereferencing
  /// NULL" when the manager has none.
  virtual IZinImage& getPreviewImage() = 0;
  /// The images; the same throw when absent.
  virtual TZinObjectMgr<IZinImage>& getImages() = 0;
  /// The object-definition manager.
  virtual IZinObjectDefinitionMgr* getObjectDefinitions() = 0;
  /// The object instances.
  virtual TZinObjectMgr<IZinObjectInstance>* getObjectInstances() = 0;
  /// The document language ("en" at first).
  virtual const char* getLanguage() = 0;
  /// Exactly two characters; anything else warns "IZinMgr::setLanguage - Invalid
  /// language" and keeps the language.
  virtual void setLanguage(const char* language) = 0;
  /// The text of the index-th comment before the root element (from 0), or null.
  /// Failures are reported through the feedback object and give null.
  virtual const char* getComment(int index) = 0;
  /// Replaces (text set) or deletes (text null) the index-th top-level comment and
  /// returns index; with fewer comments, adds text as a new comment just before the
  /// root element and returns its index, or returns -1 when text is null.
  virtual int setComment(const char* text, int index) = 0;
  /// The text of "Save.Url", or "" (never null).
  virtual const char* getURL() = 0;
  /// Sets the text of "Save.Url", creating it when missing (null counts as "").
  virtual void setURL(const char* url) = 0;
  /// The client's own element tag inside "Application.Data", created when missing;
  /// never written to files. An empty or null tag is reported and gives null.
  virtual QuorveXML::XIXMLElement* getApplicationData(const char* tag) = 0;
  /// The scenarios.
  virtual TZinObjectMgr<IZinScenario>* getScenarios() = 0;
  /// The free 3D paths.
  virtual TZinObjectMgr<IZin3DPath>* get3DPaths() = 0;
  /// The environments.
  virtual TZinObjectMgr<IZinEnvironment>* getEnvironments() = 0;
  /// The grounds.
  virtual TZinObjectMgr<IZinGround>* getGrounds() = 0;
  /// The layers; getLayers2 is the same collection.
  virtual TZinObjectMgr<IZinLayer>* getLayers() = 0;
  virtual TZinObjectMgr<IZinLayer>* getLayers2() = 0;
  /// The layers information. Throws "TZinStrongPtr::getPtr - Shared pointer is
  /// NULL" when the manager has none.
  virtual IZinLayerInfo* getLayersInfo() = 0;
  /// The internal component definitions.
  virtual TZinObjectMgr<IZinZinObjectDefinition>* getInternalComponentDefinitions() = 0;
  /// Replaces the geometry storage used while writing and returns the previous one.
  virtual IZinExtStorageWriter* setGeometryWriter(IZinExtStorageWriter* writer) = 0;
  /// Parses stream for its data blocks only, sending geometry to storage (required);
  /// the document read is discarded.
  virtual void readGeometry(IZinReadStream* stream, IZinExtStorageReader* storage) = 0;
  /// Writes the whole document onto stream: geometry comes from storage, or from the
  /// manager when null; version is written as minimum and safe version (null:
  /// 5.1.0). Every problem is reported through the feedback object; false when the
  /// document was not written whole.
  virtual bool writeEx(IZinWriteStream* stream, IZinExtStorageWriter* storage, const CZinVersion* version) = 0;
  /// Stores the localised names of the object definitions of an object file into the
  /// object-definition manager. True.
  virtual bool readMediaInfo(IZinReadStream* stream) = 0;
  /// The panoramas.
  virtual TZinObjectMgr<IZinPanoramaV2>* getPanoramas() = 0;
  /// The 16 values of the transformation applied to points read from geometry
  /// blocks, row by row (row vectors, translation in the fourth row).
  virtual const double* getTransformation() = 0;
  /// Copies 16 values; null is ignored.
  virtual void setTransformation(const double* matrix) = 0;

  /// The interface generation of this library: 50.
  ZIN_API static EVersionZIN getZINVersion();
  /// The extended generation of this library: 50.
  ZIN_API static EExtendedVersionZIN getExtendedZinVersion();
  /// Tells whether this library can read the file on stream, from its first bytes:
  /// *readability (required) receives the verdict, *version (optional) the version
  /// of the library that wrote it, creator (optional, creatorSize bytes) the text
  /// "Orvelle (<file major>.<file minor>)". True for readability 1 to 5 and 7. The
  /// stream is left where it was found; nothing is thrown or reported.
  ZIN_API static bool checkFormat2(IZinReadStream* stream, eReadability* readability, CZinVersion* version,
                                   char* creator, int creatorSize);

private:
  friend class CZinEntryPoints;
  ZIN_API static void newZinMgr(IZinMgr** mgr, EVersionZIN clientVersion, IZinFeedback* feedback);
  ZIN_API static void readFileInfo(IZinFileInfo** info, IZinReadStream* stream);
  ZIN_API static void readPreviewImage(IZinImage** image, IZinReadStream* stream);

public:
  /// Merges the content flags select from source into target (both borrowed; may be
  /// the same manager): 0x40 object instances of the classes "ModelObject",
  /// "Billboard", "ZinObject", "AnimatedObject", "3DPlant", "LightObject" (new ids,
  /// with the definitions and materials they use), 0x10 lights, 0x20 heliodons,
  /// 0x80 perspective views, 0x100 parallel views, 0x200 view objects, 0x400
  /// panoramas (each merged by name: a target object of the same name takes the
  /// source's content and keeps its id, others are appended), 0x800 the first
  /// scenario (into the target's first, made when it has none). Layers are matched
  /// by name; references that name nothing in the target become the zero id. Other
  /// bits are ignored; a null manager does nothing. A failure stops the import
  /// (what was merged stays) and reaches target's feedback object as "Exception in
  /// doImportReference : <text>".
  ZIN_API static void doImportReference(IZinMgr* target, IZinMgr* source, int flags);
};

/// The public way to the entry points that the manager interface keeps private.
class CZinEntryPoints {
public:
  /// Creates a manager into *mgr with one reference for the caller. A manager
  /// already in *mgr is released first. clientVersion must lie in 30..50: outside,
  /// *mgr stays null and the feedback object (may be null) receives "Client is newer
  /// than Zin Library!" or "Client is obsolete for this Zin Library!" with a null
  /// manager.
  static void newZinMgr(IZinMgr** mgr, EVersionZIN clientVersion = eZinVersionCurrent,
                        IZinFeedback* feedback = nullptr) {
    IZinMgr::newZinMgr(mgr, clientVersion, feedback);
  }
  /// Reads the file information (the origin) of the file on stream from its first
  /// elements into a new object with one reference for the caller (*info is
  /// overwritten, not released); the origin is 0, 0, 0 when none is found. The
  /// stream is left where it was found.
  static void readFileInfo(IZinFileInfo** info, IZinReadStream* stream) { IZinMgr::readFileInfo(info, stream); }
  /// Reads the preview image of the file on stream into a new image with one
  /// reference for the caller, or null when the file has none.
  static void readPreviewImage(IZinImage** image, IZinReadStream* stream) {
    IZinMgr::readPreviewImage(image, stream);
  }
};

}  // namespace QvZin
