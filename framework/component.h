#pragma once
// The base of every component: an owner, a name, a Tag and a loading state.
// The owner's list is for enumeration and removal notices; ownership itself is
// expressed in C++ (members or unique_ptr), so nothing is deleted through it.
#include <string>
#include <vector>

enum class ComponentOperation { Insert, Remove };

class Component {
 public:
  explicit Component(Component* owner = nullptr, std::string name = {});
  virtual ~Component();
  Component(const Component&) = delete;
  Component& operator=(const Component&) = delete;

  Component* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }
  const std::vector<Component*>& Components() const { return components_; }

  bool IsLoading() const { return loading_; }
  bool IsDesigning() const { return designing_; }
  bool IsDestroying() const { return destroying_; }
  void SetDesigning(bool value) { designing_ = value; }

  // A layout is applied between BeginLoading and EndLoading; EndLoading then runs
  // Loaded on this component and on every component it owns, in creation order.
  void BeginLoading();
  void EndLoading();

  // Asks this component to send component a removal notice when it is destroyed,
  // whoever owns either; the link is mutual, so whichever goes first tells the other.
  void FreeNotification(Component* component);
  void RemoveFreeNotification(Component* component);

 protected:
  virtual void Loaded() {}
  // A component this one refers to is going away (or arriving).
  virtual void Notification(Component* component, ComponentOperation operation);
  // Marks the component as being destroyed before the destructors of derived classes
  // tear anything down (a window, say), so nothing recreates it meanwhile.
  void Destroying() { destroying_ = true; }

 private:
  void Remove(Component* child);

  Component* owner_;
  std::string name_;
  int tag_ = 0;
  bool loading_ = false;
  bool designing_ = false;
  bool destroying_ = false;
  std::vector<Component*> components_;
  std::vector<Component*> freeNotifies_;
};
