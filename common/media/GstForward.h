#pragma once

// Forward declarations of the framework types that public headers of this layer
// mention, so callers never need the framework's own headers.

typedef struct _GstObject GstObject;
typedef struct _GstElement GstElement;
typedef struct _GstPad GstPad;
typedef struct _GstBus GstBus;
typedef struct _GstCaps GstCaps;
typedef struct _GstMessage GstMessage;
typedef struct _GstEvent GstEvent;
typedef struct _GstQuery GstQuery;
typedef struct _GstSample GstSample;
typedef struct _GstBuffer GstBuffer;
typedef struct _GstElementFactory GstElementFactory;
typedef struct _GESTimeline GESTimeline;
typedef struct _GESLayer GESLayer;
typedef struct _GESTrack GESTrack;
typedef struct _GESClip GESClip;
typedef struct _GESTrackElement GESTrackElement;
typedef struct _GESTransitionClip GESTransitionClip;
typedef struct _GESAsset GESAsset;
