// What the engine asks of a device, the one list of it: for each call its
// result, its name, its parameters and its qualifiers (const, or nothing).
// Device declares them from here and every backend declares its own from
// here, so a call added here is one that every backend must answer.
//
// Include it inside namespace gfx with
// GFX_DEVICE_CALL(result, name, parameters, qualifiers) defined.

// Ok, or DeviceLost / DeviceNotReset while the device is lost.
GFX_DEVICE_CALL(Result, TestCooperativeLevel, (), )
// Brings a lost device back; every state returns to its default.
GFX_DEVICE_CALL(Result, Reset, (const PresentParameters& parameters), )
GFX_DEVICE_CALL(Result, BeginScene, (), )
GFX_DEVICE_CALL(Result, EndScene, (), )
GFX_DEVICE_CALL(Result, Present, (), )
// Clears the current viewport's rectangle of the chosen buffers.
GFX_DEVICE_CALL(Result, Clear, (uint32_t flags, uint32_t argb, float z, uint32_t stencil), )

GFX_DEVICE_CALL(const Caps&, GetCaps, (), const)

GFX_DEVICE_CALL(void, SetRenderState, (RenderState state, uint32_t value), )
GFX_DEVICE_CALL(void, SetTextureStageState, (uint32_t stage, StageState state, uint32_t value), )
GFX_DEVICE_CALL(void, SetTransform, (TransformState state, const Matrix& matrix), )
GFX_DEVICE_CALL(void, SetViewport, (const Viewport& viewport), )
GFX_DEVICE_CALL(void, SetMaterial, (const Material& material), )
// Lights are in world space, as are clip planes (a, b, c, d with
// a x + b y + c z + d >= 0 kept).
GFX_DEVICE_CALL(void, SetLight, (uint32_t index, const Light& light), )
GFX_DEVICE_CALL(void, LightEnable, (uint32_t index, bool enable), )
GFX_DEVICE_CALL(void, SetClipPlane, (uint32_t index, const float plane[4]), )
// Null unbinds. The device does not own the texture.
GFX_DEVICE_CALL(void, SetTexture, (uint32_t stage, Texture* texture), )

// The values last set, or the defaults after creation or a reset.
GFX_DEVICE_CALL(uint32_t, GetRenderState, (RenderState state), const)
GFX_DEVICE_CALL(uint32_t, GetTextureStageState, (uint32_t stage, StageState state), const)
GFX_DEVICE_CALL(Texture*, GetTexture, (uint32_t stage), const)

// A managed texture; levels 0 = full chain.
GFX_DEVICE_CALL(Result, CreateTexture,
                (uint32_t width, uint32_t height, uint32_t levels, Format format,
                 std::unique_ptr<Texture>& texture), )

// Draws from memory; vertices laid out by the vertex format.
GFX_DEVICE_CALL(void, DrawPrimitiveUP,
                (PrimitiveType type, uint32_t primitiveCount, const void* vertices, uint32_t fvf), )
GFX_DEVICE_CALL(void, DrawIndexedPrimitiveUP,
                (PrimitiveType type, uint32_t vertexCount, uint32_t primitiveCount,
                 const uint32_t* indices, const void* vertices, uint32_t fvf), )
// Copies of vertices (laid out by the vertex format) and indices; null
// when the device cannot keep them.
GFX_DEVICE_CALL(std::unique_ptr<MeshBuffers>, CreateMeshBuffers,
                (const void* vertices, uint32_t vertexCount, uint32_t fvf,
                 const uint32_t* indices, uint32_t indexCount), )
// Triangles of a list starting at an index of the buffers.
GFX_DEVICE_CALL(void, DrawIndexedPrimitive,
                (const MeshBuffers& buffers, uint32_t startIndex, uint32_t primitiveCount), )

// The back buffer as top-down rows of A8R8G8B8 (after EndScene, before
// Present); false when the backend keeps no picture.
GFX_DEVICE_CALL(bool, ReadBackBuffer,
                (std::vector<uint32_t>& argb, uint32_t& width, uint32_t& height), )
