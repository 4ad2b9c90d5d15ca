#include "framework/component.h"

#include <algorithm>

namespace {
void AddOnce(std::vector<Component*>& list, Component* component) {
  if (std::find(list.begin(), list.end(), component) == list.end()) list.push_back(component);
}
}  // namespace

Component::Component(Component* owner, std::string name) : owner_(owner), name_(std::move(name)) {
  if (!owner_) return;
  owner_->components_.push_back(this);
  // Made while its owner's layout is applied: loaded along with it.
  loading_ = owner_->loading_;
}

Component::~Component() {
  destroying_ = true;
  while (!freeNotifies_.empty()) {
    Component* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    std::erase(other->freeNotifies_, this);
    other->Notification(this, ComponentOperation::Remove);
  }
  for (Component* child : components_) child->owner_ = nullptr;
  if (owner_) owner_->Remove(this);
}

void Component::Remove(Component* child) {
  components_.erase(std::remove(components_.begin(), components_.end(), child), components_.end());
  for (Component* other : components_) other->Notification(child, ComponentOperation::Remove);
  Notification(child, ComponentOperation::Remove);
}

void Component::Notification(Component*, ComponentOperation) {}

void Component::FreeNotification(Component* component) {
  if (!component || component == this) return;
  AddOnce(freeNotifies_, component);
  AddOnce(component->freeNotifies_, this);
}

void Component::RemoveFreeNotification(Component* component) {
  if (!component) return;
  std::erase(freeNotifies_, component);
  std::erase(component->freeNotifies_, this);
}

void Component::BeginLoading() {
  loading_ = true;
  for (Component* child : components_) child->loading_ = true;
}

void Component::EndLoading() {
  loading_ = false;
  Loaded();
  for (Component* child : components_) {
    child->loading_ = false;
    child->Loaded();
  }
}
