// CDocContext: one application — its frames, subroutines, declarations and settings.
#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>

#include "tarvo/model/app_settings.h"
#include "tarvo/model/declarations.h"
#include "tarvo/model/display_charset.h"
#include "tarvo/model/frame_node.h"
#include "tarvo/model/reference_registry.h"
#include "tarvo/model/subroutine_node.h"

namespace tarvo {

/// Longest document path the application keeps.
inline constexpr std::size_t kMaxDocumentPathLength = 256;

class CDocContext {
public:
    /// Subroutines keyed by node key; owns them.
    using SubroutineMap = std::map<std::u16string, std::unique_ptr<CSubroutineNode>>;
    /// Every frame but the root, keyed by node key; the parents own them.
    using FrameIndex = std::map<std::u16string, CFrameNode*>;
    template <class Decl>
    using DeclarationMap = std::map<std::u16string, std::unique_ptr<Decl>>;

    /// An application with only its root frame "Frame1" and default settings:
    /// what the script reader fills.
    CDocContext();
    ~CDocContext();
    CDocContext(const CDocContext&) = delete;
    CDocContext& operator=(const CDocContext&) = delete;

    /// A new application: root frame "Frame1", the given settings and the
    /// default declarations.
    static std::unique_ptr<CDocContext> createNew(const AppSettings& settings = {});

    CFrameNode& rootFrame() { return *root_; }
    const CFrameNode& rootFrame() const { return *root_; }
    const SubroutineMap& subroutines() const { return subroutines_; }
    const FrameIndex& frames() const { return frames_; }
    const DeclarationMap<CFileDecl>& files() const { return files_; }
    const DeclarationMap<CRegisterDecl>& registers() const { return registers_; }
    const DeclarationMap<CFieldDecl>& fields() const { return fields_; }
    const DeclarationMap<CTemplateDecl>& templates() const { return templates_; }

    AppSettings settings;
    DisplayCharset& charset() { return charset_; }
    const DisplayCharset& charset() const { return charset_; }
    ReferenceRegistry& references() { return references_; }
    const ReferenceRegistry& references() const { return references_; }

    /// The stream a running save writes to; none otherwise. Never owns.
    std::ostream* output = nullptr;

    const std::u16string& path() const { return path_; }
    /// Refuses a path longer than kMaxDocumentPathLength.
    bool setPath(std::u16string_view path);

    // ---- nodes --------------------------------------------------------------

    /// Adds `node` to `container` as the model's add operation does: a frame
    /// added to a subroutine is discarded (answers none); with `makeUnique`
    /// the name is made unique in the container; with `fileInFrameIndex` a
    /// frame is also filed in the application's frame index. A node whose
    /// (type, name) is already taken in the container is refused (none).
    /// Subroutines, Entry, Return and declarations are refused here.
    CNodeBase* addNode(CContainerNode& container, std::unique_ptr<CNodeBase> node,
                       bool makeUnique, bool fileInFrameIndex = true);
    /// Adds a subroutine created in `frame`: its name is made unique in the
    /// whole application.
    CSubroutineNode* addSubroutine(CFrameNode& frame, std::unique_ptr<CSubroutineNode> sub);

    /// Type 0 searches the container's child frames, then the frame index;
    /// type 1 the subroutine map; Entry and Return compare with the embedded
    /// nodes; other types the container's node map.
    CNodeBase* findNode(const CContainerNode& container, std::u16string_view name,
                        NodeType type) const;
    CSubroutineNode* findSubroutine(std::u16string_view name) const;

    /// Renames a node of `container` (a child frame, or the container itself
    /// for type 0/1 when it is the named object). Fails when the new name is
    /// invalid, too long, or taken by a node of that type. Re-files the node,
    /// renames embedded Entry/Return, the owned-subroutine list entry, the
    /// callers' subroutine links, and every link in the application that
    /// named the node.
    bool renameNode(CContainerNode& container, std::u16string_view oldName,
                    std::u16string_view newName, NodeType type);

    /// Removes a node of types 2 to 10 or 12 from `container`, empties every
    /// link naming it in that container and the frame's exit records, and
    /// forgets its references. Answers false when there is no such node.
    bool deleteNode(CContainerNode& container, NodeType type, std::u16string_view name);

    /// Deletes a subroutine with its nodes: it leaves the subroutine map and
    /// its owning frame's list, and its callers keep an empty subroutine link.
    bool deleteSubroutine(std::u16string_view name);
    /// Deletes the child frame `name` of `parent` with its child frames and
    /// the subroutines they own, and empties every link of `parent` that
    /// named it. The root frame cannot be deleted.
    bool deleteFrame(CContainerNode& parent, std::u16string_view name);

    /// Rebuilds every subroutine's caller list from the Call nodes.
    void rebuildCallers();

    /// Calls `visit` for the root frame, every frame below it (depth first,
    /// in key order) and then every subroutine.
    void forEachContainer(const std::function<void(CContainerNode&)>& visit);

    // ---- declarations -------------------------------------------------------

    /// Files a declaration under its name; refuses a taken or invalid name.
    CFileDecl* addFile(std::unique_ptr<CFileDecl> decl);
    CRegisterDecl* addRegister(std::unique_ptr<CRegisterDecl> decl);
    CFieldDecl* addField(std::unique_ptr<CFieldDecl> decl);
    CTemplateDecl* addTemplate(std::unique_ptr<CTemplateDecl> decl);
    CNodeBase* findDeclaration(NodeType type, std::u16string_view name) const;
    /// Re-files a declaration and renames its uses in nodes (and, for a
    /// field, in templates). Fails for a default declaration, a taken name
    /// (message 309) or an invalid one (message 327).
    bool renameDeclaration(NodeType type, std::u16string_view oldName,
                           std::u16string_view newName);
    /// Creates the default declarations of a new application.
    void createDefaultDeclarations();

private:
    void fileFrameTree(CFrameNode& frame);
    /// Drops the registry entries and caller-list entries of every node of
    /// `container`, before the container is destroyed.
    void forgetContainerContents(CContainerNode& container);

    std::unique_ptr<CFrameNode> root_;
    SubroutineMap subroutines_;
    FrameIndex frames_;
    DeclarationMap<CFileDecl> files_;
    DeclarationMap<CRegisterDecl> registers_;
    DeclarationMap<CFieldDecl> fields_;
    DeclarationMap<CTemplateDecl> templates_;
    DisplayCharset charset_;
    ReferenceRegistry references_;
    std::u16string path_;
};

/// The dotted name by which the script and messages refer to an object.
std::u16string fullName(const CNodeBase& node);

} // namespace tarvo
